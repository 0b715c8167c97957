// JPEG thumbnails with libjpeg's scaled decoding. libjpeg reports errors by
// calling a function that must not return: it jumps back with longjmp, so
// the functions that call libjpeg keep no C++ objects of their own between
// the jump's mark and their last libjpeg call.
#include "imagetools/jpeg_thumbnail.h"

#include <jpeglib.h>

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "imagetools/resample.h"

namespace orvanta {
namespace {

struct ErrorManager {
  jpeg_error_mgr library;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX] = "";
};

[[noreturn]] void JumpBack(j_common_ptr info) {
  auto* manager = reinterpret_cast<ErrorManager*>(info->err);
  info->err->format_message(info, manager->message);
  std::longjmp(manager->jump, 1);
}

void IgnoreWarning(j_common_ptr) {}

jpeg_error_mgr* Errors(ErrorManager* manager) {
  jpeg_std_error(&manager->library);
  manager->library.error_exit = JumpBack;
  manager->library.output_message = IgnoreWarning;
  return &manager->library;
}

// The orientation (1 to 8) in the EXIF block of the APP1 markers kept,
// 1 when there is none.
int ExifOrientation(const jpeg_decompress_struct& info) {
  for (jpeg_saved_marker_ptr m = info.marker_list; m != nullptr; m = m->next) {
    if (m->marker != JPEG_APP0 + 1 || m->data_length < 14 ||
        std::memcmp(m->data, "Exif\0\0", 6) != 0) {
      continue;
    }
    const uint8_t* tiff = m->data + 6;
    const size_t length = m->data_length - 6;
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
  return 1;
}

// Reads the header of the JPEG in `bytes`, keeping its APP1 markers (the
// EXIF block). A failure jumps back to the caller's mark.
void ReadHeader(jpeg_decompress_struct* info, const char* bytes,
                size_t length) {
  jpeg_mem_src(info, reinterpret_cast<const unsigned char*>(bytes),
               static_cast<unsigned long>(length));
  jpeg_save_markers(info, JPEG_APP0 + 1, 0xFFFF);
  jpeg_read_header(info, TRUE);
}

// The quality (1 to 100) the photo was saved with, estimated from its
// luminance table as the IJG scaling of the standard table.
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

// What the header says, and the scale chosen for `box`.
struct Plan {
  bool supported = false;
  int orientation = 1;
  int quality = 90;
  int width = 0;  // of the thumbnail, as stored (before the turn)
  int height = 0;
  // The photo's colour sampling (2 x 2 for 4:2:0), turned with it.
  int h_sampling = 1;
  int v_sampling = 1;
};

Plan PlanDecoding(jpeg_decompress_struct* info, int box) {
  Plan plan;
  const J_COLOR_SPACE space = info->jpeg_color_space;
  plan.supported =
      space == JCS_YCbCr || space == JCS_RGB || space == JCS_GRAYSCALE;
  plan.orientation = ExifOrientation(*info);
  plan.quality = EstimateQuality(*info);
  const int w = static_cast<int>(info->image_width);
  const int h = static_cast<int>(info->image_height);
  const bool turned = SwapsSides(plan.orientation);
  if (info->num_components == 3) {
    plan.h_sampling = std::clamp(info->comp_info[0].h_samp_factor, 1, 2);
    plan.v_sampling = std::clamp(info->comp_info[0].v_samp_factor, 1, 2);
    if (turned) std::swap(plan.h_sampling, plan.v_sampling);
  }
  int shown_width = 0, shown_height = 0;
  FitInside(turned ? h : w, turned ? w : h, box, &shown_width, &shown_height);
  plan.width = turned ? shown_height : shown_width;
  plan.height = turned ? shown_width : shown_height;
  // The smallest scale n/8 that keeps twice the thumbnail both ways.
  unsigned n = 1;
  while (n < 8 && (static_cast<int64_t>(w) * n < 16LL * plan.width ||
                   static_cast<int64_t>(h) * n < 16LL * plan.height)) {
    ++n;
  }
  info->scale_num = n;
  info->scale_denom = 8;
  info->out_color_space = space == JCS_GRAYSCALE ? JCS_GRAYSCALE : JCS_RGB;
  return plan;
}

// Decodes `bytes` at the planned scale into `pixels`; false for a colour
// model left to ImageMagick. On failure, `errors->message` says why.
bool Decode(const char* bytes, size_t length, int box, int max_side,
            Pixels* pixels, Plan* plan, ErrorManager* errors) {
  jpeg_decompress_struct info;
  info.err = Errors(errors);
  jpeg_create_decompress(&info);
  if (setjmp(errors->jump) != 0) {
    jpeg_destroy_decompress(&info);
    return true;
  }
  ReadHeader(&info, bytes, length);
  if (info.image_width > static_cast<JDIMENSION>(max_side) ||
      info.image_height > static_cast<JDIMENSION>(max_side)) {
    std::snprintf(errors->message, sizeof errors->message,
                  "width or height exceeds limit");
    jpeg_destroy_decompress(&info);
    return true;
  }
  *plan = PlanDecoding(&info, box);
  if (!plan->supported) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_start_decompress(&info);
  try {
    pixels->Allocate(static_cast<int>(info.output_width),
                     static_cast<int>(info.output_height),
                     info.output_components);
  } catch (const std::bad_alloc&) {
    std::snprintf(errors->message, sizeof errors->message, "not enough memory");
    jpeg_destroy_decompress(&info);
    return true;
  }
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = pixels->Row(static_cast<int>(info.output_scanline));
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

// Encodes `pixels` as JPEG into a buffer of libjpeg's (freed by the
// caller); false with `errors->message` on failure.
bool Encode(const Pixels& pixels, const Plan& plan, unsigned char** buffer,
            unsigned long* size, ErrorManager* errors) {
  jpeg_compress_struct info;
  info.err = Errors(errors);
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
  jpeg_set_quality(&info, plan.quality, TRUE);
  if (pixels.channels == 3) {
    info.comp_info[0].h_samp_factor = plan.h_sampling;
    info.comp_info[0].v_samp_factor = plan.v_sampling;
  }
  jpeg_start_compress(&info, TRUE);
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

bool LooksLikeJpeg(const char* bytes, size_t length) {
  return length >= 3 && static_cast<uint8_t>(bytes[0]) == 0xFF &&
         static_cast<uint8_t>(bytes[1]) == 0xD8 &&
         static_cast<uint8_t>(bytes[2]) == 0xFF;
}

std::optional<std::string> JpegThumbnail(const char* bytes, size_t length,
                                         int box, int max_side) {
  ErrorManager errors;
  Pixels decoded;
  Plan plan;
  if (!Decode(bytes, length, box, max_side, &decoded, &plan, &errors)) {
    return std::nullopt;
  }
  if (errors.message[0] != '\0') throw JpegError(errors.message);
  const Pixels thumbnail =
      Orient(Resample(decoded, plan.width, plan.height), plan.orientation);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  const bool encoded = Encode(thumbnail, plan, &buffer, &size, &errors);
  std::string result;
  if (encoded) result.assign(reinterpret_cast<const char*>(buffer), size);
  std::free(buffer);
  if (!encoded) throw JpegError(errors.message);
  return result;
}

std::optional<std::pair<int, int>> JpegShownSize(const char* bytes,
                                                 size_t length) {
  ErrorManager errors;
  jpeg_decompress_struct info;
  info.err = Errors(&errors);
  jpeg_create_decompress(&info);
  if (setjmp(errors.jump) != 0) {
    jpeg_destroy_decompress(&info);
    return std::nullopt;
  }
  ReadHeader(&info, bytes, length);
  int width = static_cast<int>(info.image_width);
  int height = static_cast<int>(info.image_height);
  if (SwapsSides(ExifOrientation(info))) std::swap(width, height);
  jpeg_destroy_decompress(&info);
  if (width <= 0 || height <= 0) return std::nullopt;
  return std::make_pair(width, height);
}

}  // namespace orvanta
