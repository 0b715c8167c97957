// A walk over a JPEG's segments to its end: every segment with a length
// (APPn blocks, tables, frame and scan headers) in turn, the picture data
// after each scan header skipped. What follows the end is often another
// picture: MPF files keep larger previews and gain maps there.
#ifndef ORVANTA_IMAGETOOLS_JPEG_SEGMENTS_H_
#define ORVANTA_IMAGETOOLS_JPEG_SEGMENTS_H_

#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>

namespace orvanta {

struct JpegSegment {
  unsigned char marker = 0;  // 0xE1 for APP1
  size_t at = 0;             // where its 0xFF is
  size_t size = 0;           // marker, length and payload
};

// Walks the JPEG that starts at `start` in `file` (its start-of-image
// marker), calling `visit` for each segment until it returns false.
// Returns where the picture ends (after its end-of-image marker); nothing
// when `visit` stopped the walk or it went astray (not a marker where one
// belongs, a segment past the end of the file).
std::optional<size_t> WalkJpeg(
    std::string_view file, size_t start,
    const std::function<bool(const JpegSegment&)>& visit);

}  // namespace orvanta

#endif  // ORVANTA_IMAGETOOLS_JPEG_SEGMENTS_H_
