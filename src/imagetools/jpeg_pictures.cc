// Thumbnails and mid-size copies of JPEG photos with libjpeg's scaled
// decoding, both resampled from the rows as they are decoded. The calls into
// libjpeg sit in two functions of their own (reading the header, decoding the
// rows), each with its setjmp mark and no C++ objects; what they fill is owned
// by their caller.
#include "imagetools/jpeg_pictures.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <vector>

#include "imagetools/jpeg_codec.h"
#include "imagetools/picture_limits.h"
#include "imagetools/resample.h"
#include "imagetools/row_loops.h"

// After jpeglib.h (jpeg_codec.h): the message codes.
#include <jerror.h>

namespace orvanta {
namespace {

// What the header says, and what is to be made of it.
struct Plan {
  bool too_large = false;  // refused by its size: nothing else is set
  bool supported = false;
  int orientation = 1;
  JpegSettings settings;
  // The sizes as stored (before the turn); 0 for an output not made.
  int thumbnail_width = 0, thumbnail_height = 0;
  int copy_width = 0, copy_height = 0;
  bool halves = false;  // the copy is half the decoded picture or less
  // The decoded picture, at the chosen scale.
  int width = 0, height = 0, channels = 0;
  JOCTET* icc = nullptr;  // the photo's ICC profile, malloc'd by libjpeg
  unsigned icc_length = 0;
};

// Fits the shown `width` x `height` inside box_width x box_height; the
// result as stored (turned back when the orientation swaps sides).
void FitStored(int width, int height, bool turned, int box_width,
               int box_height, int* stored_width, int* stored_height) {
  int w = 0, h = 0;
  FitInside(width, height, box_width, box_height, &w, &h);
  *stored_width = turned ? h : w;
  *stored_height = turned ? w : h;
}

// Whether the photo is stored as cameras store them: YCbCr, the chroma
// halved across (and maybe down). Decoded whole, a copy of half its size or
// less can then be made from the luma and chroma as stored, each 2 x 2
// block of luma with its chroma sample.
bool CameraSampling(const jpeg_decompress_struct& info) {
  if (info.jpeg_color_space != JCS_YCbCr || info.num_components != 3) {
    return false;
  }
  const jpeg_component_info* c = info.comp_info;
  return c[0].h_samp_factor == 2 && c[0].v_samp_factor <= 2 &&
         c[1].h_samp_factor == 1 && c[1].v_samp_factor == 1 &&
         c[2].h_samp_factor == 1 && c[2].v_samp_factor == 1;
}

// The scale n/8 to decode at, and how.
void PlanScale(jpeg_decompress_struct* info, Plan* plan) {
  const int64_t w = info->image_width, h = info->image_height;
  unsigned n = 1;
  auto covers = [&](int64_t width, int64_t height) {
    return w * n >= width && h * n >= height;
  };
  if (plan->copy_width > 0) {
    // libjpeg's 1/2 and 1/4 let the frequencies above their new limit
    // through (fine stripes come out as coarse bands), 1/8 averages blocks,
    // and 3/8 rings near its limit: the copy is decoded at 3/8 when that
    // leaves a quarter more than the copy, else whole. Whole costs little
    // more than 1/2 (both with SIMD; 3/8 has none), the resampling more.
    // Reduced by two or more, the copy hides the rougher inverse DCT and
    // the chroma doubled rather than interpolated; stored as cameras do,
    // it is made whole from the samples as stored, at less cost than 3/8.
    n = 8;
    const bool stored =
        covers(16LL * plan->copy_width, 16LL * plan->copy_height) &&
        CameraSampling(*info);
    n = 3;
    if (stored || !covers(10LL * plan->copy_width, 10LL * plan->copy_height)) {
      n = 8;
    }
    plan->halves = covers(16LL * plan->copy_width, 16LL * plan->copy_height);
    if (n == 8 && plan->halves) {
      info->dct_method = JDCT_IFAST;
      info->do_fancy_upsampling = FALSE;
    }
  } else {
    // The smallest scale that keeps twice the thumbnail.
    while (n < 8 && !covers(16LL * plan->thumbnail_width,
                            16LL * plan->thumbnail_height)) {
      ++n;
    }
  }
  info->scale_num = n;
  info->scale_denom = 8;
}

void PlanOutputs(jpeg_decompress_struct* info, const JpegRequest& request,
                 Plan* plan) {
  const J_COLOR_SPACE space = info->jpeg_color_space;
  plan->supported =
      space == JCS_YCbCr || space == JCS_RGB || space == JCS_GRAYSCALE;
  plan->orientation = ExifOrientation(*info);
  plan->settings.quality = EstimateQuality(*info);
  const int w = static_cast<int>(info->image_width);
  const int h = static_cast<int>(info->image_height);
  const bool turned = SwapsSides(plan->orientation);
  if (info->num_components == 3) {
    plan->settings.h_sampling =
        std::clamp(info->comp_info[0].h_samp_factor, 1, 2);
    plan->settings.v_sampling =
        std::clamp(info->comp_info[0].v_samp_factor, 1, 2);
    if (turned) std::swap(plan->settings.h_sampling, plan->settings.v_sampling);
  }
  const int shown_width = turned ? h : w, shown_height = turned ? w : h;
  if (request.thumbnail_box > 0) {
    FitStored(shown_width, shown_height, turned, request.thumbnail_box,
              request.thumbnail_box, &plan->thumbnail_width,
              &plan->thumbnail_height);
  }
  if (request.copy_width > 0 && (shown_width > request.copy_width ||
                                 shown_height > request.copy_height)) {
    FitStored(shown_width, shown_height, turned, request.copy_width,
              request.copy_height, &plan->copy_width, &plan->copy_height);
  }
  PlanScale(info, plan);
  info->out_color_space = space == JCS_GRAYSCALE ? JCS_GRAYSCALE : JCS_RGB;
}

// True when the picture whose header was read is larger than `max_side`
// on a side, or is stored in several scans (progressive...) whose
// coefficients, all kept at once whatever the scale, would take more than
// their limit.
bool TooLarge(jpeg_decompress_struct* info, int max_side) {
  if (info->image_width > static_cast<JDIMENSION>(max_side) ||
      info->image_height > static_cast<JDIMENSION>(max_side)) {
    return true;
  }
  if (!jpeg_has_multiple_scans(info)) return false;
  int64_t bytes = 0;
  for (int c = 0; c < info->num_components; ++c) {
    const jpeg_component_info& component = info->comp_info[c];
    bytes += int64_t{component.width_in_blocks} * component.height_in_blocks *
             DCTSIZE2 * static_cast<int64_t>(sizeof(JCOEF));
  }
  return bytes > kJpegCoefficientBytes;
}

// Reads the header and plans the decoding; false with `errors->message`
// when the picture cannot be read, or with plan->too_large.
bool ReadPlan(jpeg_decompress_struct* info, JpegErrors* errors,
              const char* bytes, size_t length, const JpegRequest& request,
              Plan* plan) {
  info->err = UseErrors(errors);
  if (setjmp(errors->jump) != 0) return false;
  jpeg_create_decompress(info);
  info->mem->max_memory_to_use = kJpegMemoryBytes;
  ReadHeader(info, bytes, length, request.copy_width > 0);
  if (TooLarge(info, request.max_side)) {
    plan->too_large = true;
    return false;
  }
  PlanOutputs(info, request, plan);
  if (!plan->supported) return true;
  if (plan->copy_width > 0) {
    jpeg_read_icc_profile(info, &plan->icc, &plan->icc_length);
  }
  jpeg_calc_output_dimensions(info);
  plan->width = static_cast<int>(info->output_width);
  plan->height = static_cast<int>(info->output_height);
  plan->channels = info->output_components;
  return true;
}

// Decodes the rows into `row`, handing each to `first` and, if any,
// `second`, or with `pairs` each pair of rows averaged to `first` alone
// (`pair` holds the first of a pair); false with `errors->message` on
// failure.
bool DecodeRows(jpeg_decompress_struct* info, JpegErrors* errors, uint8_t* row,
                uint8_t* pair, RowResampler* first, RowResampler* second) {
  if (setjmp(errors->jump) != 0) return false;
  jpeg_start_decompress(info);
  const size_t length =
      static_cast<size_t>(info->output_width) * info->output_components;
  const RowLoops& loops = FastestRowLoops();
  while (info->output_scanline < info->output_height) {
    const bool paired = pair != nullptr && info->output_scanline % 2 == 1;
    JSAMPROW rows = pair != nullptr && !paired ? pair : row;
    jpeg_read_scanlines(info, &rows, 1);
    if (pair != nullptr) {
      if (paired) {
        loops.average_rows(row, length, pair);
        first->Add(pair);
      } else if (info->output_scanline == info->output_height) {
        first->Add(pair);  // the last row has no pair
      }
      continue;
    }
    first->Add(row);
    if (second != nullptr) second->Add(row);
  }
  jpeg_finish_decompress(info);
  return true;
}

// Decodes the luma and chroma as stored, each pair of rows halved both ways
// and turned to RGB into `copy`; false with `errors->message` on failure.
bool DecodeHalved(jpeg_decompress_struct* info, JpegErrors* errors,
                  RowResampler* copy) {
  if (setjmp(errors->jump) != 0) return false;
  info->raw_data_out = TRUE;
  jpeg_start_decompress(info);
  JSAMPARRAY planes[3];
  for (int c = 0; c < 3; ++c) {
    const jpeg_component_info& component = info->comp_info[c];
    planes[c] = (*info->mem->alloc_sarray)(
        reinterpret_cast<j_common_ptr>(info), JPOOL_IMAGE,
        component.width_in_blocks * DCTSIZE,
        static_cast<JDIMENSION>(component.v_samp_factor * DCTSIZE));
  }
  // Chroma as high as the luma has a row for each; else one for two.
  const bool tall_chroma = info->comp_info[0].v_samp_factor == 1;
  const int lines = info->max_v_samp_factor * DCTSIZE;
  const size_t width = (info->output_width + 1) / 2;
  const int height = static_cast<int>(info->output_height + 1) / 2;
  const RowLoops& loops = FastestRowLoops();
  for (int made = 0; info->output_scanline < info->output_height;) {
    jpeg_read_raw_data(info, planes, static_cast<JDIMENSION>(lines));
    for (int k = 0; k < lines / 2 && made < height; ++k, ++made) {
      const int c0 = tall_chroma ? 2 * k : k, c1 = tall_chroma ? c0 + 1 : k;
      const YccPair pair{{planes[0][2 * k], planes[0][2 * k + 1]},
                         {planes[1][c0], planes[1][c1]},
                         {planes[2][c0], planes[2][c1]}};
      loops.ycc_pairs_to_floats(pair, width, copy->RowToFill());
      copy->AddFilled();
    }
  }
  jpeg_finish_decompress(info);
  return true;
}

// The thumbnail of `width` x `height` made from the copy's pixels: averaged
// down to no less than twice its size, then filtered.
Pixels ThumbnailOfCopy(const Pixels& copy, int width, int height) {
  const int factor =
      std::min(copy.width / (2 * width), copy.height / (2 * height));
  return Resample(factor > 1 ? AverageDown(copy, factor) : copy, width, height);
}

// Throws what a failed libjpeg call means: the picture is too large (so
// found, or past libjpeg's memory limit), else libjpeg's words.
[[noreturn]] void ThrowFailure(const jpeg_decompress_struct& info,
                               const JpegErrors& errors, bool too_large) {
  const int code = errors.library.msg_code;
  if (too_large || code == JERR_OUT_OF_MEMORY ||
      code == JERR_NO_BACKING_STORE) {
    throw PictureTooLarge(info.image_width, info.image_height);
  }
  throw JpegError(errors.message);
}

// The decoder and the profile it read, released whatever happens.
struct Decoder {
  jpeg_decompress_struct info{};
  Plan plan;
  ~Decoder() {
    jpeg_destroy_decompress(&info);
    std::free(plan.icc);
  }
};

// The thumbnail and copy of the decoded rows, turned upright and encoded;
// with `half` the copy at half its size too, and the thumbnail made from
// that when it holds the thumbnail.
JpegPictures EncodeMade(const Plan& plan, std::optional<RowResampler>& copy,
                        std::optional<RowResampler>& thumbnail,
                        const char* incomplete, bool half) {
  JpegPictures made;
  made.incomplete = incomplete;
  Pixels copy_pixels = copy ? copy->Take() : Pixels();
  Pixels shown, halved;
  if (copy && half) {
    shown = Orient(std::move(copy_pixels), plan.orientation);
    halved = Resample(shown, HalfSide(shown.width), HalfSide(shown.height));
  }
  if (plan.thumbnail_width > 0) {
    const bool turned = SwapsSides(plan.orientation);
    const int width = turned ? plan.thumbnail_height : plan.thumbnail_width;
    const int height = turned ? plan.thumbnail_width : plan.thumbnail_height;
    Pixels small;
    if (thumbnail) {
      small = Orient(thumbnail->Take(), plan.orientation);
    } else if (!halved.data.empty() && halved.width >= width &&
               halved.height >= height) {
      small = ThumbnailOfCopy(halved, width, height);
    } else if (!shown.data.empty()) {
      small = ThumbnailOfCopy(shown, width, height);
    } else {
      small = Orient(ThumbnailOfCopy(copy_pixels, plan.thumbnail_width,
                                     plan.thumbnail_height),
                     plan.orientation);
    }
    made.thumbnail = EncodeJpeg(small, plan.settings);
  }
  if (copy) {
    if (!half) shown = Orient(std::move(copy_pixels), plan.orientation);
    JpegSettings settings = plan.settings;
    settings.icc = std::string_view(reinterpret_cast<const char*>(plan.icc),
                                    plan.icc_length);
    made.copy = EncodeJpeg(shown, settings);
    made.copy_width = shown.width;
    made.copy_height = shown.height;
    if (half) made.half = EncodeJpeg(halved, settings);
  }
  return made;
}

}  // namespace

bool LooksLikeJpeg(const char* bytes, size_t length) {
  return length >= 3 && static_cast<uint8_t>(bytes[0]) == 0xFF &&
         static_cast<uint8_t>(bytes[1]) == 0xD8 &&
         static_cast<uint8_t>(bytes[2]) == 0xFF;
}

std::optional<JpegPictures> MakeJpegPictures(const char* bytes, size_t length,
                                             const JpegRequest& request) {
  JpegErrors errors;
  Decoder decoder;
  const Plan& plan = decoder.plan;
  const jpeg_decompress_struct& info = decoder.info;
  if (!ReadPlan(&decoder.info, &errors, bytes, length, request,
                &decoder.plan)) {
    ThrowFailure(info, errors, plan.too_large);
  }
  if (!plan.supported) return std::nullopt;
  // The copy holds more than twice the thumbnail: it is made from that.
  const bool from_copy = plan.copy_width > 0 &&
                         plan.copy_width >= 2 * plan.thumbnail_width &&
                         plan.copy_height >= 2 * plan.thumbnail_height;
  // Reduced by two or more, and alone to be made from the rows, the copy
  // takes them in pairs averaged: half the rows to filter; stored as
  // cameras do, the pairs of columns too, before they are turned to RGB.
  const bool pairs = plan.halves && (from_copy || plan.thumbnail_width == 0);
  const bool stored =
      pairs && info.scale_num == info.scale_denom && CameraSampling(info);
  std::optional<RowResampler> copy, thumbnail;
  std::vector<uint8_t> row;
  try {
    if (plan.copy_width > 0) {
      copy.emplace(stored ? (plan.width + 1) / 2 : plan.width,
                   pairs ? (plan.height + 1) / 2 : plan.height, plan.channels,
                   plan.copy_width, plan.copy_height,
                   plan.halves ? Filter::kTriangle : Filter::kLanczos3);
    }
    if (plan.thumbnail_width > 0 && !from_copy) {
      thumbnail.emplace(plan.width, plan.height, plan.channels,
                        plan.thumbnail_width, plan.thumbnail_height,
                        Filter::kLanczos3);
    }
    if (!stored) {
      row.resize(static_cast<size_t>(plan.width) * plan.channels *
                 (pairs ? 2 : 1));
    }
  } catch (const std::bad_alloc&) {
    throw JpegError("not enough memory");
  }
  if (!copy && !thumbnail) return JpegPictures{};
  bool decoded = false;
  if (stored) {
    decoded = DecodeHalved(&decoder.info, &errors, &*copy);
  } else {
    RowResampler* first = copy ? &*copy : &*thumbnail;
    RowResampler* second = copy && thumbnail ? &*thumbnail : nullptr;
    uint8_t* pair =
        pairs ? row.data() + static_cast<size_t>(plan.width) * plan.channels
              : nullptr;
    decoded =
        DecodeRows(&decoder.info, &errors, row.data(), pair, first, second);
  }
  if (!decoded) ThrowFailure(info, errors, false);
  return EncodeMade(plan, copy, thumbnail, errors.incomplete, request.half);
}

std::optional<std::pair<int, int>> JpegShownSize(const char* bytes,
                                                 size_t length) {
  JpegErrors errors;
  Decoder decoder;
  jpeg_decompress_struct* info = &decoder.info;
  info->err = UseErrors(&errors);
  if (setjmp(errors.jump) != 0) return std::nullopt;
  jpeg_create_decompress(info);
  jpeg_mem_src(info, reinterpret_cast<const unsigned char*>(bytes),
               static_cast<unsigned long>(length));
  jpeg_read_header(info, TRUE);
  int width = static_cast<int>(info->image_width);
  int height = static_cast<int>(info->image_height);
  if (SwapsSides(ExifOrientation(bytes, length))) std::swap(width, height);
  if (width <= 0 || height <= 0) return std::nullopt;
  return std::make_pair(width, height);
}

}  // namespace orvanta
