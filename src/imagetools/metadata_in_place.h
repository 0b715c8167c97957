// Removing the position and the serial numbers from metadata blocks where
// they lie, without moving a byte of anything else: the EXIF and XMP items
// of HEIF files (HEIC, AVIF), which exiv2 0.27 cannot write, and the
// pictures after a JPEG's end (MPF's larger previews and gain maps), which
// it leaves as they are. An XMP packet is written again, shorter, and
// padded with blanks to its length.
#ifndef ORVANTA_IMAGETOOLS_METADATA_IN_PLACE_H_
#define ORVANTA_IMAGETOOLS_METADATA_IN_PLACE_H_

#include <optional>
#include <string>
#include <string_view>

#include "common/error.h"

namespace orvanta {

// Error(kImageData, "its location could not be removed").
Error LocationNotRemoved();

// The HEIF file `file` with its EXIF and XMP items edited; nothing when
// they hold nothing to remove. Throws LocationNotRemoved() when its items
// cannot be found or one of them cannot be edited.
std::optional<std::string> WithoutLocationInHeif(std::string_view file);

// The JPEG `file` with the EXIF and XMP blocks of the pictures after its
// end edited; nothing when there is nothing to remove (or no picture
// there). Throws LocationNotRemoved() when a block cannot be edited.
std::optional<std::string> WithoutLocationAfterJpeg(std::string_view file);

}  // namespace orvanta

#endif  // ORVANTA_IMAGETOOLS_METADATA_IN_PLACE_H_
