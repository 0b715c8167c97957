// Thumbnails and mid-size copies of JPEG photos straight from libjpeg, both
// from one decode. For a thumbnail alone the picture is decoded at the
// smallest of libjpeg's scales (1/8 to 8/8) that keeps twice its size;
// with a copy, at 3/8 or whole (the scales whose filters keep fine detail
// from turning into false patterns), the copy resampled row by row as the
// picture is decoded and the thumbnail made from the copy. A half-size copy,
// when asked for, is resampled from the copy's pixels (and the thumbnail
// then from it). All are turned upright by the EXIF orientation and encoded
// again with the photo's own quality and colour sampling. The copies keep
// the photo's ICC profile; the thumbnail carries no profile, and none
// carries comments or EXIF. This is the path of nearly every camera file;
// ImageMagick's, for everything else, costs a third more.
#ifndef ORVANTA_IMAGETOOLS_JPEG_PICTURES_H_
#define ORVANTA_IMAGETOOLS_JPEG_PICTURES_H_

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

struct JpegRequest {
  int thumbnail_box = 0;  // the thumbnail fits inside box x box; 0: none
  // The copy, wanted when the photo as shown is larger, fits inside these;
  // 0: none.
  int copy_width = 0;
  int copy_height = 0;
  int max_side = 0;   // larger photos are refused
  bool half = false;  // and the copy at half its size, made from its pixels
};

struct JpegPictures {
  std::string thumbnail;  // JPEG bytes, when asked for
  std::string copy;       // JPEG bytes, when the photo needs a copy
  int copy_width = 0;     // as shown
  int copy_height = 0;
  std::string half;        // JPEG bytes of the half-size copy, with the copy
  std::string incomplete;  // libjpeg's words when the data ends early
};

// The thumbnail and copy of the JPEG in `bytes`; nothing for a colour model
// this path leaves to ImageMagick (CMYK). Warnings are not failures: a
// photo cut short shows its missing part grey. Throws JpegError when the
// picture cannot be decoded, PictureTooLarge (picture_limits.h) when it is
// larger than `max_side` on a side or its scans would take too much memory.
std::optional<JpegPictures> MakeJpegPictures(const char* bytes, size_t length,
                                             const JpegRequest& request);

// The width and height of the JPEG in `bytes` as it is shown, turned by
// its EXIF orientation; nothing when its header cannot be read. Only the
// markers before the picture data are read.
std::optional<std::pair<int, int>> JpegShownSize(const char* bytes,
                                                 size_t length);

}  // namespace orvanta

#endif  // ORVANTA_IMAGETOOLS_JPEG_PICTURES_H_
