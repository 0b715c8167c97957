// Thumbnails of JPEG photos straight from libjpeg: the picture is decoded
// at the smallest of libjpeg's scales (1/8 to 8/8) that keeps at least
// twice the thumbnail's size, resampled to fit the box, turned upright by
// its EXIF orientation and encoded again with the photo's own quality and
// colour sampling.
// Profiles and comments are not carried over. This is the path of nearly
// every camera file; ImageMagick's, for everything else, costs a third
// more.
#ifndef ORVANTA_IMAGETOOLS_JPEG_THUMBNAIL_H_
#define ORVANTA_IMAGETOOLS_JPEG_THUMBNAIL_H_

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

namespace orvanta {

// libjpeg's own words about a JPEG it cannot decode.
class JpegError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// True when `bytes` start as a JPEG file does.
bool LooksLikeJpeg(const char* bytes, size_t length);

// The thumbnail of the JPEG in `bytes` that fits inside box x box, as JPEG
// bytes; nothing for a colour model this path leaves to ImageMagick (CMYK).
// Warnings are not failures: a photo cut short shows its missing part
// grey. Throws JpegError when the picture cannot be decoded or is larger
// than `max_side` on a side.
std::optional<std::string> JpegThumbnail(const char* bytes, size_t length,
                                         int box, int max_side);

// The width and height of the JPEG in `bytes` as it is shown, turned by
// its EXIF orientation; nothing when its header cannot be read. Only the
// markers before the picture data are read.
std::optional<std::pair<int, int>> JpegShownSize(const char* bytes,
                                                 size_t length);

}  // namespace orvanta

#endif  // ORVANTA_IMAGETOOLS_JPEG_THUMBNAIL_H_
