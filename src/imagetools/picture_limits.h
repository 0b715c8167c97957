// What one picture may cost to read, the same for every worker whatever
// the others are doing: a progressive or other multi-scan JPEG, whose
// every DCT coefficient libjpeg keeps at once, at most kJpegCoefficientBytes;
// a picture ImageMagick decodes at most kMaxMagickPixels; and a file at
// most a little more than any picture of its size could be. Pictures over
// them are refused with "too large to read safely (WxH)" before any pixel
// memory is taken. ImageMagick's pictures also share one memory budget, so
// that a picture under the limit always finds its memory free: a worker
// waits for the others rather than fail.
#ifndef ORVANTA_IMAGETOOLS_PICTURE_LIMITS_H_
#define ORVANTA_IMAGETOOLS_PICTURE_LIMITS_H_

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace orvanta {

inline constexpr int64_t kMiB = 1024 * 1024;

// The coefficients of a multi-scan JPEG take 128 bytes per 8 x 8 block of
// each colour component: 3 bytes a pixel for the usual 4:2:0 photo, so
// 320 MiB holds some 110 megapixels (55 at full colour, 165 grey).
inline constexpr int64_t kJpegCoefficientBytes = 320 * kMiB;
// What libjpeg may take for one picture in all: past it, it fails.
inline constexpr int64_t kJpegMemoryBytes = 384 * kMiB;

// 50 megapixels, some 500 MB in ImageMagick's pixels (16 bits a channel,
// four channels and the black of CMYK).
inline constexpr int64_t kMaxMagickPixels = 50'000'000;
inline constexpr int64_t kMagickBytesPerPixel = 10;
// The memory all pictures being read by ImageMagick share: two of the
// largest at once.
inline constexpr int64_t kMagickBudgetBytes = 1024 * kMiB;

// A picture's data takes at most this much a pixel (16-bit RGBA), and its
// metadata (EXIF, previews, ICC profile, XMP) at most kMetadataSlack.
inline constexpr int64_t kMaxBytesPerPixel = 8;
inline constexpr int64_t kMetadataSlack = 16 * kMiB;

// "too large to read safely (30000x30000)"
std::string TooLargeText(int64_t width, int64_t height);

// A picture refused by its size, with TooLargeText.
class PictureTooLarge : public std::runtime_error {
 public:
  PictureTooLarge(int64_t width, int64_t height)
      : std::runtime_error(TooLargeText(width, height)) {}
};

// True when a file of `file_size` bytes is larger than a single picture of
// width x height could be.
bool FarLargerThanPicture(uint64_t file_size, int64_t width, int64_t height);

// Takes `bytes` of the ImageMagick budget while it lives, waiting until
// they are free (at most the whole budget is taken).
class MagickMemory {
 public:
  explicit MagickMemory(int64_t bytes);
  ~MagickMemory();
  MagickMemory(const MagickMemory&) = delete;
  MagickMemory& operator=(const MagickMemory&) = delete;

 private:
  int64_t bytes_;
};

}  // namespace orvanta

#endif  // ORVANTA_IMAGETOOLS_PICTURE_LIMITS_H_
