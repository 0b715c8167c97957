// Fuzz target: libjpeg's path of the image tool, the JPEG header read for
// the shown size and the scaled decode that makes thumbnails and mid-size
// copies, progressive and other multi-scan pictures included. The first
// byte of the input chooses the request (thumbnail box, copy bounds or
// none), the rest is the file. Checked besides memory safety: a picture
// refused as too large says its size; a thumbnail is a JPEG that fits its
// box; a copy is a JPEG of the size reported, within its bounds.
#include <cstdint>
#include <optional>
#include <string>

#include "fuzz_support.h"
#include "imagetools/jpeg_pictures.h"
#include "imagetools/picture_limits.h"

namespace orvanta::fuzz {
namespace {

// Larger sides take seconds to decode, and any size takes the same code.
constexpr int kMaxSide = 2048;

// The stored-size box a made JPEG must fit: turned pictures swap sides.
bool Fits(const std::string& jpeg, int width, int height) {
  const auto size = JpegShownSize(jpeg.data(), jpeg.size());
  return size && size->first >= 1 && size->second >= 1 &&
         ((size->first <= width && size->second <= height) ||
          (size->first <= height && size->second <= width));
}

void Shrink(const char* bytes, size_t length, uint8_t choice) {
  JpegRequest request;
  request.thumbnail_box = choice & 0x80 ? 0 : 4 + (choice & 0x1F);
  if (choice & 0x40 || request.thumbnail_box == 0) {
    request.copy_width = 16 + (choice & 0x0F) * 4;
    request.copy_height = 12 + (choice & 0x30);
  }
  request.max_side = kMaxSide;
  std::optional<JpegPictures> made;
  try {
    made = MakeJpegPictures(bytes, length, request);
  } catch (const PictureTooLarge& e) {
    Check(std::string(e.what()).starts_with("too large to read safely ("),
          "a refused picture says its size");
    return;
  } catch (const JpegError&) {
    return;
  }
  if (!made) return;
  const int box = request.thumbnail_box;
  if (!made->thumbnail.empty()) {
    Check(Fits(made->thumbnail, box, box), "the thumbnail fits its box");
  }
  if (!made->copy.empty()) {
    Check(made->copy_width <= request.copy_width &&
              made->copy_height <= request.copy_height,
          "the copy fits its bounds");
    const auto size = JpegShownSize(made->copy.data(), made->copy.size());
    Check(size && size->first == made->copy_width &&
              size->second == made->copy_height,
          "the copy has the size reported");
  }
}

}  // namespace
}  // namespace orvanta::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const char* bytes = reinterpret_cast<const char*>(data + 1);
  orvanta::JpegShownSize(bytes, size - 1);
  orvanta::fuzz::Shrink(bytes, size - 1, data[0]);
  return 0;
}
