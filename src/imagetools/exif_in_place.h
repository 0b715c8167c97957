// Removing the position and the serial numbers from an EXIF block without
// moving anything else in it, for files the metadata library cannot write
// (HEIC, AVIF): the GPS directory and the entries of the camera, body and
// lens serial numbers are taken out of their directories, the following
// entries moved up and the freed bytes, the GPS directory and the values
// zeroed. The block keeps its length and every offset, so the file around
// it stays valid.
#ifndef ORVANTA_IMAGETOOLS_EXIF_IN_PLACE_H_
#define ORVANTA_IMAGETOOLS_EXIF_IN_PLACE_H_

#include <cstddef>

namespace orvanta {

enum class ExifEdit {
  kUnchanged,  // nothing to remove
  kRemoved,
  kBroken,  // a directory or value outside the block: nothing was changed
};

// Edits the TIFF block (from its "II*\0" or "MM\0*" header) of `size`
// bytes at `tiff`.
ExifEdit RemoveLocationInPlace(char* tiff, size_t size);

}  // namespace orvanta

#endif  // ORVANTA_IMAGETOOLS_EXIF_IN_PLACE_H_
