// libjpeg's plumbing for the JPEG paths of the image tool: errors reported
// by a jump back to the caller's mark, the header and the markers kept
// (EXIF, ICC profile), what they tell (orientation, quality), and encoding
// pixels with a given quality, colour sampling and ICC profile.
#ifndef ORVANTA_IMAGETOOLS_JPEG_CODEC_H_
#define ORVANTA_IMAGETOOLS_JPEG_CODEC_H_

// clang-format off
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <csetjmp>
#include <string>
#include <string_view>

#include "imagetools/resample.h"

namespace orvanta {

// Where libjpeg's errors go: error_exit formats the message and jumps to
// `jump`, so each function that calls libjpeg sets it with setjmp and keeps
// no C++ objects of its own between that mark and its last libjpeg call.
// Warnings are not failures: a photo cut short decodes with its rest grey,
// and `incomplete` says so.
struct JpegErrors {
  jpeg_error_mgr library;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX] = "";
  // libjpeg's words when the picture's data ends before the picture does
  // (decoded all the same, its rest grey); "" when it is whole.
  char incomplete[JMSG_LENGTH_MAX] = "";
};
jpeg_error_mgr* UseErrors(JpegErrors* errors);

// Reads the header of the JPEG in `bytes`, keeping its APP1 markers (the
// EXIF block) and, with `keep_icc`, its APP2 markers (the ICC profile).
// A failure jumps back.
void ReadHeader(jpeg_decompress_struct* info, const char* bytes, size_t length,
                bool keep_icc);

// The orientation (1 to 8) in the EXIF block of the markers kept, 1 when
// there is none.
int ExifOrientation(const jpeg_decompress_struct& info);

// The same, found in the JPEG file `bytes` itself (its segments before the
// picture data), so that no marker needs keeping.
int ExifOrientation(const char* bytes, size_t length);

// The quality (1 to 100) the photo was saved with, estimated from its
// luminance table as the IJG scaling of the standard table.
int EstimateQuality(const jpeg_decompress_struct& info);

struct JpegSettings {
  int quality = 90;
  int h_sampling = 1;  // of the luminance: 2 x 2 for 4:2:0
  int v_sampling = 1;
  std::string_view icc;  // the ICC profile to embed, if any
};

// `pixels` (grey or RGB) as JPEG bytes: no comment, no EXIF. Throws
// JpegError.
std::string EncodeJpeg(const Pixels& pixels, const JpegSettings& settings);

}  // namespace orvanta

#endif  // ORVANTA_IMAGETOOLS_JPEG_CODEC_H_
