// The metadata segments of a JPEG copied into a small JPEG of their own,
// for the metadata library: the start marker, every whole APPn and comment
// segment before the picture data, then the marker where the picture data
// starts. A file cut short inside its segments still gives the whole ones
// before the cut, and the library never reads the picture data.
//
// The camera maker's private block in the EXIF segment (the MakerNote) is
// renamed on the way to a tag no library knows: nothing in it is shown,
// and decoding it is three quarters of the reading time of a typical
// camera file.
#ifndef ORVANTA_IMAGETOOLS_JPEG_METADATA_HEAD_H_
#define ORVANTA_IMAGETOOLS_JPEG_METADATA_HEAD_H_

#include <cstddef>
#include <string>

namespace orvanta {

enum class JpegHead {
  kNotJpeg,   // `bytes` do not start as a JPEG
  kComplete,  // the picture data (or a fault) comes within `bytes`
  kCutShort,  // `bytes` end before the picture data
};

// Copies the metadata segments of the JPEG in `bytes` to *head (when not
// null), the EXIF segments only `with_exif`, and tells how far they go.
// *head is untouched for kNotJpeg.
JpegHead CopyJpegHead(const char* bytes, size_t length, std::string* head,
                      bool with_exif = true);

// The tag the MakerNote (0x927C) is renamed to.
inline constexpr unsigned kHiddenMakerNoteTag = 0xFFFF;

}  // namespace orvanta

#endif  // ORVANTA_IMAGETOOLS_JPEG_METADATA_HEAD_H_
