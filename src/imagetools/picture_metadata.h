// What the camera and the photo manager wrote into a picture: the date it
// was taken, a title, a caption, the camera and whether it holds the
// position where it was taken, read with exiv2 from the
// picture's bytes in memory (JPEG, PNG, TIFF, WebP; HEIC, HEIF and AVIF
// through libheif's metadata blocks).
//
// A JPEG's metadata sits before its picture data, so the first bytes of
// the file are enough: HoldsAllMetadata tells when they are. The other
// formats may keep theirs after the picture data (WebP always, TIFF and PNG
// often): hand over the whole file.
//
// Safe to call from several threads at once; the library is set up on the
// first call (silenced, its XMP parser started with a lock). Never throws.
#ifndef ORVANTA_IMAGETOOLS_PICTURE_METADATA_H_
#define ORVANTA_IMAGETOOLS_PICTURE_METADATA_H_

#include <cstddef>
#include <optional>
#include <string>

namespace orvanta {

// How much of a date is known: cameras write the time to the second;
// scanners and photo managers often only the day, or the month of an old
// print.
enum class DatePrecision { kSecond, kDay, kMonth };

// The date and time a picture was taken as the camera wrote it (its local
// time), and the offset of that time from UTC when the picture says. The
// parts finer than its precision are their first values (day 1, 00:00:00),
// and a date without its time has no offset.
struct DateTaken {
  int year = 0;
  int month = 0;  // 1 to 12
  int day = 0;    // 1 to 31
  int hour = 0;
  int minute = 0;
  int second = 0;
  std::optional<int> offset_minutes;  // east of UTC: +02:00 is 120
  DatePrecision precision = DatePrecision::kSecond;
  friend bool operator==(const DateTaken&, const DateTaken&) = default;
};

// Texts in UTF-8 without control characters other than tab and newline,
// trimmed; empty when the picture has none worth showing (the "OLYMPUS
// DIGITAL CAMERA" that cameras write by themselves is none).
struct PictureMetadata {
  std::optional<DateTaken> taken;
  std::string title;    // XMP dc:title, else IPTC ObjectName
  std::string caption;  // XMP dc:description, IPTC Caption-Abstract, EXIF
                        // ImageDescription or UserComment, first found
  std::string camera;   // "Canon EOS 5D", "Apple iPhone 12"
  // Where it was taken: an EXIF GPS latitude or longitude, or XMP's.
  bool has_position = false;
};

// Reads the metadata of the picture in `bytes`: a whole file, or the start
// of a JPEG (a JPEG cut anywhere still gives its whole metadata segments).
// Bad, huge or missing metadata and formats other than the five give empty
// fields.
PictureMetadata ReadPictureMetadata(const char* bytes, size_t length);

// True when `bytes`, the start of a file, hold all its metadata: a JPEG
// whose picture data begins within them. False for every other format.
bool HoldsAllMetadata(const char* bytes, size_t length);

}  // namespace orvanta

#endif  // ORVANTA_IMAGETOOLS_PICTURE_METADATA_H_
