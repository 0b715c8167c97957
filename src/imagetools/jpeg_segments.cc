// The JPEG walk: markers, segment lengths and the picture data, which ends
// at the first 0xFF that is neither stuffed (0xFF 0x00) nor a restart
// marker.
#include "imagetools/jpeg_segments.h"

#include <cstdint>
#include <cstring>

namespace orvanta {
namespace {

constexpr uint8_t kStartOfImage = 0xD8;
constexpr uint8_t kEndOfImage = 0xD9;
constexpr uint8_t kStartOfScan = 0xDA;

uint8_t At(std::string_view file, size_t at) {
  return at < file.size() ? static_cast<uint8_t>(file[at]) : 0;
}

// Where the picture data from `at` ends.
std::optional<size_t> PictureDataEnd(std::string_view file, size_t at) {
  while (at < file.size()) {
    const void* mark = std::memchr(file.data() + at, 0xFF, file.size() - at);
    if (mark == nullptr) return std::nullopt;
    at = static_cast<const char*>(mark) - file.data();
    const uint8_t next = At(file, at + 1);
    if (next != 0 && !(next >= 0xD0 && next <= 0xD7)) return at;
    at += 2;
  }
  return std::nullopt;
}

}  // namespace

std::optional<size_t> WalkJpeg(
    std::string_view file, size_t start,
    const std::function<bool(const JpegSegment&)>& visit) {
  if (At(file, start) != 0xFF || At(file, start + 1) != kStartOfImage) {
    return std::nullopt;
  }
  size_t at = start + 2;
  while (at + 2 <= file.size() && At(file, at) == 0xFF) {
    const uint8_t marker = At(file, at + 1);
    if (marker == 0xFF) {  // a fill byte
      ++at;
      continue;
    }
    if (marker == kEndOfImage) return at + 2;
    if (marker == 0x01 || (marker >= 0xD0 && marker <= kStartOfImage)) {
      at += 2;
      continue;
    }
    const size_t size = 2 + (At(file, at + 2) << 8 | At(file, at + 3));
    if (size < 4 || size > file.size() - at) return std::nullopt;
    if (!visit({marker, at, size})) return std::nullopt;
    at += size;
    if (marker == kStartOfScan) {
      const std::optional<size_t> end = PictureDataEnd(file, at);
      if (!end) return std::nullopt;
      at = *end;
    }
  }
  return std::nullopt;
}

}  // namespace orvanta
