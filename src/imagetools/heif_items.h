// The metadata items of a HEIF file (HEIC, AVIF): where the bytes of its
// EXIF blocks and XMP packets lie, from the boxes that list and locate the
// items (meta: iinf, iloc, idat). Only read; the caller edits the bytes in
// place.
#ifndef ORVANTA_IMAGETOOLS_HEIF_ITEMS_H_
#define ORVANTA_IMAGETOOLS_HEIF_ITEMS_H_

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvanta {

struct HeifItem {
  std::string type;          // "Exif", "mime"
  std::string content_type;  // of a "mime" item: "application/rdf+xml"
  // Where its bytes lie in the file; nothing when they are not one run of
  // bytes in it (several extents, a reference to another item).
  std::optional<size_t> at;
  size_t size = 0;
};

// True when `file` starts as a HEIF file (an ftyp box).
bool IsHeif(std::string_view file);

// The "Exif" and "mime" items of the HEIF file `file`; nothing when its
// boxes cannot be walked (cut short, sizes past its end).
std::optional<std::vector<HeifItem>> FindHeifMetadata(std::string_view file);

}  // namespace orvanta

#endif  // ORVANTA_IMAGETOOLS_HEIF_ITEMS_H_
