// libjpeg's error handling, header reading and encoding for the image tool.
#include "imagetools/jpeg_codec.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "imagetools/jpeg_pictures.h"

// After jpeglib.h (jpeg_codec.h): the message codes.
#include <jerror.h>

namespace orvanta {
namespace {

[[noreturn]] void JumpBack(j_common_ptr info) {
  auto* errors = reinterpret_cast<JpegErrors*>(info->err);
  info->err->format_message(info, errors->message);
  std::longjmp(errors->jump, 1);
}

// A warning: the data ended early (the rest decodes grey) is noted, the
// others (extraneous bytes between markers...) are harmless.
void NoteWarning(j_common_ptr info) {
  auto* errors = reinterpret_cast<JpegErrors*>(info->err);
  if (info->err->msg_code == JWRN_JPEG_EOF && errors->incomplete[0] == '\0') {
    info->err->format_message(info, errors->incomplete);
  }
}

// Encodes into a buffer of libjpeg's (freed by the caller); false with
// `errors->message` on failure.
bool Encode(const Pixels& pixels, const JpegSettings& settings,
            unsigned char** buffer, unsigned long* size, JpegErrors* errors) {
  jpeg_compress_struct info;
  info.err = UseErrors(errors);
  jpeg_create_compress(&info);
  if (setjmp(errors->jump) != 0) {
    jpeg_destroy_compress(&info);
    return false;
  }
  jpeg_mem_dest(&info, buffer, size);
  info.image_width = static_cast<JDIMENSION>(pixels.width);
  info.image_height = static_cast<JDIMENSION>(pixels.height);
  info.input_components = pixels.channels;
  info.in_color_space = pixels.channels == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, settings.quality, TRUE);
  if (pixels.channels == 3) {
    info.comp_info[0].h_samp_factor = settings.h_sampling;
    info.comp_info[0].v_samp_factor = settings.v_sampling;
  }
  jpeg_start_compress(&info, TRUE);
  if (!settings.icc.empty()) {
    jpeg_write_icc_profile(&info,
                           reinterpret_cast<const JOCTET*>(settings.icc.data()),
                           static_cast<unsigned>(settings.icc.size()));
  }
  while (info.next_scanline < info.image_height) {
    JSAMPROW row =
        const_cast<uint8_t*>(pixels.Row(static_cast<int>(info.next_scanline)));
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}

}  // namespace

jpeg_error_mgr* UseErrors(JpegErrors* errors) {
  jpeg_std_error(&errors->library);
  errors->library.error_exit = JumpBack;
  errors->library.output_message = NoteWarning;
  return &errors->library;
}

void ReadHeader(jpeg_decompress_struct* info, const char* bytes, size_t length,
                bool keep_icc) {
  jpeg_mem_src(info, reinterpret_cast<const unsigned char*>(bytes),
               static_cast<unsigned long>(length));
  jpeg_save_markers(info, JPEG_APP0 + 1, 0xFFFF);
  if (keep_icc) jpeg_save_markers(info, JPEG_APP0 + 2, 0xFFFF);
  jpeg_read_header(info, TRUE);
}

namespace {

// Whether an APP1 payload is an EXIF block.
bool IsExif(const uint8_t* data, size_t length) {
  return length >= 14 && std::memcmp(data, "Exif\0\0", 6) == 0;
}

// The orientation in the EXIF block `data` (an APP1 payload), 1 when none.
int OrientationOf(const uint8_t* data, size_t length) {
  const uint8_t* tiff = data + 6;
  length -= 6;
  const bool big_endian = tiff[0] == 'M';
  auto number = [&](size_t at, int bytes) -> uint32_t {
    uint32_t value = 0;
    if (at > length || static_cast<size_t>(bytes) > length - at) return 0;
    for (int i = 0; i < bytes; ++i) {
      const uint32_t byte = tiff[at + (big_endian ? i : bytes - 1 - i)];
      value = value << 8 | byte;
    }
    return value;
  };
  const size_t directory = number(4, 4);
  const uint32_t entries = number(directory, 2);
  for (uint32_t i = 0; i < entries; ++i) {
    const size_t entry = directory + 2 + 12 * static_cast<size_t>(i);
    if (entry + 12 > length) break;
    if (number(entry, 2) == 0x0112) {
      const uint32_t value = number(entry + 8, 2);
      return value >= 1 && value <= 8 ? static_cast<int>(value) : 1;
    }
  }
  return 1;
}

}  // namespace

int ExifOrientation(const jpeg_decompress_struct& info) {
  for (jpeg_saved_marker_ptr m = info.marker_list; m != nullptr; m = m->next) {
    if (m->marker == JPEG_APP0 + 1 && IsExif(m->data, m->data_length)) {
      return OrientationOf(m->data, m->data_length);
    }
  }
  return 1;
}

int ExifOrientation(const char* bytes, size_t length) {
  const auto* data = reinterpret_cast<const uint8_t*>(bytes);
  size_t at = 2;  // after the start of image
  while (at + 4 <= length && data[at] == 0xFF) {
    const uint8_t marker = data[at + 1];
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    if (marker == 0xDA || marker == 0xD9) break;  // the picture data, the end
    const size_t size = data[at + 2] << 8 | data[at + 3];
    if (size < 2 || size > length - at - 2) break;
    if (marker == JPEG_APP0 + 1 && IsExif(data + at + 4, size - 2)) {
      return OrientationOf(data + at + 4, size - 2);
    }
    at += 2 + size;
  }
  return 1;
}

int EstimateQuality(const jpeg_decompress_struct& info) {
  static const unsigned kStandard[DCTSIZE2] = {
      16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
      14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
      18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
      49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};
  const JQUANT_TBL* table = info.quant_tbl_ptrs[0];
  if (table == nullptr) return 90;
  double scale = 0;
  for (int i = 0; i < DCTSIZE2; ++i) {
    scale += 100.0 * table->quantval[i] / kStandard[i];
  }
  scale /= DCTSIZE2;
  const double quality = scale <= 100 ? (200 - scale) / 2 : 5000 / scale;
  return std::clamp(static_cast<int>(quality + 0.5), 1, 100);
}

std::string EncodeJpeg(const Pixels& pixels, const JpegSettings& settings) {
  JpegErrors errors;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  const bool encoded = Encode(pixels, settings, &buffer, &size, &errors);
  const std::unique_ptr<unsigned char, decltype(&std::free)> owned(buffer,
                                                                   &std::free);
  if (!encoded) throw JpegError(errors.message);
  return std::string(reinterpret_cast<const char*>(buffer), size);
}

}  // namespace orvanta
