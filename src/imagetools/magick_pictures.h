// Thumbnails and mid-size copies of the pictures libjpeg's path leaves to
// ImageMagick (PNG, GIF, BMP, WebP, HEIC, TIFF, camera RAW, CMYK JPEGs),
// both from one read of the picture.
#ifndef ORVANTA_IMAGETOOLS_MAGICK_PICTURES_H_
#define ORVANTA_IMAGETOOLS_MAGICK_PICTURES_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "imagetools/image_tool.h"

namespace orvanta {

// True for the formats (as ImageMagick names them) that browsers show:
// JPEG, PNG, GIF, WebP and BMP.
bool BrowsersShow(const std::string& format);

// The size of the encoded picture as it is shown (turned by its EXIF
// orientation), from its header, and its format as ImageMagick names it
// when `format` is given. Throws Magick::Exception.
PixelSize PingShownSize(std::string_view bytes, std::string* format = nullptr);

struct MagickPictures {
  std::string thumbnail;  // in the picture's own format, when asked for
  std::string copy;       // JPEG, when the picture needs a copy
  std::string half;       // the copy at half its size, when asked for
  PixelSize copy_size;
  // The library's words about an output that could not be made.
  std::string thumbnail_failure;
  std::string copy_failure;
};

// The thumbnail (inside thumbnail_side x thumbnail_side; 0: none) and the
// copy (inside copy_bounds, when larger or not shown by browsers; 0 x 0:
// none) of the encoded picture, with `half` the copy at half its size (from
// the copy's pixels) too; with `thumbnail_as_jpeg` the thumbnail is a
// JPEG (in sRGB, transparency on white) whatever the picture's format. Throws
// Magick::Exception or std::bad_alloc when the picture cannot be read,
// PictureTooLarge (picture_limits.h) when it is too large to read.
MagickPictures MakeMagickPictures(std::string_view bytes, size_t thumbnail_side,
                                  PixelSize copy_bounds,
                                  bool thumbnail_as_jpeg = false,
                                  bool half = false);

}  // namespace orvanta

#endif  // ORVANTA_IMAGETOOLS_MAGICK_PICTURES_H_
