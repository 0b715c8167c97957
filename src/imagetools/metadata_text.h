// The text side of the picture metadata reader: what the metadata library
// hands over (bytes in UTF-8 or a Windows code page, dates in EXIF or ISO
// form, a camera maker's full company name) made into clean UTF-8 texts, a
// checked date and a short camera name. Nothing here throws.
#ifndef ORVANTA_IMAGETOOLS_METADATA_TEXT_H_
#define ORVANTA_IMAGETOOLS_METADATA_TEXT_H_

#include <optional>
#include <string>
#include <string_view>

#include "imagetools/picture_metadata.h"

namespace orvanta {

// The longest text kept, in bytes; a longer one is cut at a character and
// ends in "…".
inline constexpr size_t kMaxMetadataText = 4000;

// `raw` as UTF-8 fit for a page: read as UTF-8 when it is valid UTF-8,
// else as Windows-1252 (the Latin-1 of older cameras and programs); line
// ends as "\n"; control characters other than tab and newline (bidi
// overrides and isolates too, IsHiddenControl), and byte order marks,
// left out; blanks at both ends trimmed; cut at
// kMaxMetadataText.
std::string CleanMetadataText(std::string_view raw);

// True for a text no person wrote: what cameras and programs put in a
// description by themselves ("OLYMPUS DIGITAL CAMERA", "SONY DSC",
// "Exif_JPEG_PICTURE", "default"...), a camera's file name ("IMG_1234",
// "DSC01234.JPG") and texts of only digits, punctuation and blanks. Takes
// a cleaned text; ignores case.
bool IsCameraText(std::string_view text);

// The date and time in `text`, as EXIF writes it ("2019:07:14 18:30:00")
// or as XMP does ("2019-07-14T18:30:00.25+02:00", "2019-07-14T18:30Z",
// seconds optional), with the offset when the text has one; a date
// without its time ("2019-07-14", "2019:07:14   :  :  ") of day precision,
// a month ("2019-07") of month precision; nothing for an impossible date
// ("0000:00:00 00:00:00", February 30th) or anything else.
std::optional<DateTaken> ParseDateTime(std::string_view text);

// The texts of a picture's dates as its metadata holds them.
struct DateTexts {
  std::string exif_taken, exif_offset, xmp_taken, xmp_created, iptc_date,
      iptc_time;
  // When it was scanned or made: the date taken only when no other is.
  std::string exif_digitized, exif_digitized_offset, xmp_digitized, xmp_create;
};

// The date taken: EXIF's DateTimeOriginal with its OffsetTimeOriginal,
// else XMP's exif:DateTimeOriginal, photoshop:DateCreated or IPTC's
// DateCreated (with TimeCreated when given); else when it was digitized
// or made (EXIF's and XMP's DateTimeDigitized, XMP's CreateDate), all that
// scanners write. A date without an offset takes the offset of another
// that names the same minute.
std::optional<DateTaken> ChooseDateTaken(const DateTexts& texts);

// The offset in minutes east of UTC in an EXIF offset text ("+02:00",
// "-0530", "Z"); nothing for blanks or anything beyond +-14:00.
std::optional<int> ParseUtcOffset(std::string_view text);

// The camera as people name it: the model, after the maker's short name
// unless the model already starts with it ("Canon" + "Canon EOS 5D" gives
// "Canon EOS 5D", "OLYMPUS IMAGING CORP." + "E-M5" gives "OLYMPUS E-M5").
// Empty without a model. Takes cleaned texts.
std::string CameraName(std::string_view make, std::string_view model);

}  // namespace orvanta

#endif  // ORVANTA_IMAGETOOLS_METADATA_TEXT_H_
