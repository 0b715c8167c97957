// Real picture files for tests, made with Magick++: normal pictures of any
// size, with or without an EXIF orientation, and broken ones (corrupt,
// truncated, a decompression bomb). The helpers throw std::runtime_error
// when they cannot make a file, which fails the calling test.
#ifndef ORVANTA_TESTING_TEST_PICTURES_H_
#define ORVANTA_TESTING_TEST_PICTURES_H_

#include <ostream>
#include <string>

namespace orvanta::testing {

struct PictureSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const PictureSize&, const PictureSize&) = default;
};
std::ostream& operator<<(std::ostream& out, const PictureSize& size);

// Writes a width x height picture to `path` in the format its extension
// names (jpg/jpeg, png, gif, bmp, tif/tiff; any case), creating missing
// folders. `orientation` 2-8 adds an EXIF block with that orientation tag
// (JPEG only; 1 writes no EXIF block). `fill` is an ImageMagick colour
// ("red", "#336699") or empty for a colourful pattern that compresses like
// a photo. The pixels are stored as given: a 400 x 300 picture with
// orientation 6 is shown as 300 x 400.
void MakePicture(const std::string& path, int width, int height,
                 int orientation = 1, const std::string& fill = "");

// Writes bytes that start like a JPEG file (SOI and a JFIF header) and go on
// with garbage: no image library can decode them.
void MakeCorruptPicture(const std::string& path);

// Writes a width x height JPEG cut off in the middle of its picture data.
// Decoders read its header and report a premature end of the data.
void MakeTruncatedJpeg(const std::string& path, int width, int height);

// Writes a well-formed 1-bit grey PNG of width x height (50000 x 50000 by
// default) whose pixels are all zero, compressed about 1000 to 1 (300 KB
// for the default): a decompression bomb that decodes to 20 GB at 16 bits
// per channel.
void MakeBombPng(const std::string& path, int width = 50000,
                 int height = 50000);

// The pixel size of the picture as stored (its EXIF orientation not
// applied), read from the file's header. {0, 0} when it cannot be read.
PictureSize ReadPictureSize(const std::string& path);

// The picture's format as ImageMagick names it ("JPEG", "PNG", "GIF",
// "BMP3"...) detected from its content; empty when it cannot be read.
std::string ReadPictureFormat(const std::string& path);

// The EXIF orientation (1-8) stored in a picture; 0 when it has none or
// cannot be read.
int ReadExifOrientation(const std::string& path);

}  // namespace orvanta::testing

#endif  // ORVANTA_TESTING_TEST_PICTURES_H_
