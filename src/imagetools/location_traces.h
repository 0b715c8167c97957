// The last check before a picture is published without its position:
// traces of a position or a serial number left in places the metadata
// library does not read (a second picture after a JPEG's end, Photoshop's
// copy of the EXIF block, a chunk of its own). Found in the file's bytes:
// the entry of a TIFF directory that points to a GPS directory or holds a
// serial number, and the XMP names of GPS coordinates and serial numbers.
// The picture data itself is skipped where the format makes that cheap
// (JPEG, PNG, WebP); chance matches in it are one in 2^56 a byte.
#ifndef ORVANTA_IMAGETOOLS_LOCATION_TRACES_H_
#define ORVANTA_IMAGETOOLS_LOCATION_TRACES_H_

#include <cstddef>
#include <string_view>

namespace orvanta {

// True when the file `file` may still hold a position or a serial number.
bool HoldsLocationTrace(std::string_view file);

// True when the JPEG `jpeg` may hold a position or a serial number in its
// segments from `from` on or after its end (from `from` on, when its walk
// goes astray).
bool HoldsLocationTraceFrom(std::string_view jpeg, size_t from);

// True when `key`, a metadata key ("Exif.GPSInfo.GPSLatitude",
// "Xmp.aux.SerialNumber", "Xmp.iptcExt.LocationCreated[1]/exif:GPSAltitude")
// names a position or a serial number.
bool IsLocationKey(std::string_view key);

}  // namespace orvanta

#endif  // ORVANTA_IMAGETOOLS_LOCATION_TRACES_H_
