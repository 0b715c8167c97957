// The metadata blocks of a HEIF picture (HEIC, HEIF, AVIF) as libheif finds
// them for its primary image: its EXIF blocks and its XMP packet, handed to
// the picture metadata reader. Every libheif call and error stays in
// heif_metadata.cc; nothing here throws.
#ifndef ORVANTA_IMAGETOOLS_HEIF_METADATA_H_
#define ORVANTA_IMAGETOOLS_HEIF_METADATA_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvanta {

struct HeifMetadataBlocks {
  // Each EXIF block from its TIFF header on (the block's own offset to the
  // header skipped), in the file's order.
  std::vector<std::string> exif;
  std::string xmp;  // the first XMP packet ("application/rdf+xml"), or ""
};

// The blocks of the HEIF file `file`; nothing when libheif cannot read it
// or it has no primary image. A block over a few megabytes is left out.
std::optional<HeifMetadataBlocks> ReadHeifMetadataBlocks(std::string_view file);

}  // namespace orvanta

#endif  // ORVANTA_IMAGETOOLS_HEIF_METADATA_H_
