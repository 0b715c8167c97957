// Real picture files for tests, made with Magick++: pictures of any size
// and format, with or without an EXIF orientation, and broken ones
// (corrupt, truncated, a decompression bomb). The helpers throw
// std::runtime_error when they cannot make a file.
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

// Writes a width x height picture (a gradient, a block and a disc: no two
// turns of it alike) in the format the extension names (jpg, png, gif,
// bmp), creating missing folders. `orientation` 2-8 adds an EXIF
// orientation (JPEG only): 400 x 300 with orientation 6 shows as 300 x 400.
void MakePicture(const std::string& path, int width, int height,
                 int orientation = 1);
// The bytes of such a picture, in the format `extension` names.
std::string PictureBytes(int width, int height, const std::string& extension,
                         int orientation = 1);
// A JPEG header followed by garbage: no decoder can read it.
void MakeCorruptPicture(const std::string& path);
// A width x height JPEG cut off in the middle of its pixel data.
void MakeTruncatedJpeg(const std::string& path, int width, int height);
// A well-formed 1-bit PNG of width x height zero pixels, compressed about
// 1000 to 1: 300 KB that decode to 20 GB at the default 50000 x 50000.
void MakeBombPng(const std::string& path, int width = 50000,
                 int height = 50000);
// A clip of ffmpeg's 320 x 240 test picture, `seconds` long, in the
// container its extension names (mp4, mov, avi); `rotation` (90, 180, 270)
// marks it to be shown turned, as a phone does. `options` replaces the
// default ones of ffmpeg's output (-pix_fmt yuv420p): a codec, a size, a
// further input ("-f lavfi -i sine" for sound), tags.
void MakeClip(const std::string& path, double seconds, int rotation = 0,
              const std::string& options = "");

// The picture's stored size ({0, 0} when unreadable) and its format as
// ImageMagick names it ("JPEG", "PNG", ...), read from the header.
PictureSize ReadPictureSize(const std::string& path);
std::string ReadPictureFormat(const std::string& path);

}  // namespace orvanta::testing

#endif  // ORVANTA_TESTING_TEST_PICTURES_H_
