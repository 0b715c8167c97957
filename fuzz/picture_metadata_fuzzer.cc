// Fuzz target: the picture metadata reader. The input is a picture file
// (JPEG, PNG, TIFF, WebP, HEIC or anything else), read whole through
// ReadPictureMetadata and exiv2. Checked besides memory safety: every text
// is valid UTF-8 without control characters other than tab and newline and
// no longer than the reader's limit, a date is a real date and time with
// an offset within +-14:00, and when the first half of a JPEG holds all
// its metadata, the first half reads like the whole file.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "imagetools/metadata_text.h"
#include "imagetools/picture_metadata.h"

namespace orvanta::fuzz {
namespace {

// Valid UTF-8 (no overlong forms, surrogates or code points past
// U+10FFFF) of printable characters, tab and newline.
bool IsPrintableUtf8(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if ((lead >= 0x80 && lead < 0xC2) || lead > 0xF4 ||
        text.size() - i < length) {
      return false;
    }
    uint32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      c = c << 6 | (next & 0x3F);
    }
    static constexpr uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kSmallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
      return false;
    }
    if ((c < 0x20 && c != '\t' && c != '\n') || (c >= 0x7F && c < 0xA0)) {
      return false;
    }
    i += length;
  }
  return true;
}

void CheckText(const std::string& text) {
  Check(IsPrintableUtf8(text), "a text is printable UTF-8");
  Check(text.size() <= kMaxMetadataText, "a text is cut at the limit");
  Check(text.empty() || (text.front() != ' ' && text.back() != ' ' &&
                         text.front() != '\n' && text.back() != '\n'),
        "a text is trimmed");
}

void CheckDate(const DateTaken& date) {
  Check(date.year >= 1000 && date.year <= 9999, "the year has four digits");
  Check(date.month >= 1 && date.month <= 12, "the month is 1 to 12");
  Check(date.day >= 1 && date.day <= 31, "the day is 1 to 31");
  Check(date.hour >= 0 && date.hour <= 23 && date.minute >= 0 &&
            date.minute <= 59 && date.second >= 0 && date.second <= 59,
        "the time is a time of day");
  Check(!date.offset_minutes || (*date.offset_minutes >= -14 * 60 &&
                                 *date.offset_minutes <= 14 * 60),
        "the offset is within 14 hours");
  Check(date.precision == DatePrecision::kSecond ||
            (!date.offset_minutes && date.hour == 0 && date.minute == 0 &&
             date.second == 0 &&
             (date.precision == DatePrecision::kDay || date.day == 1)),
        "a date without its time has none, nor an offset");
}

bool SameMetadata(const PictureMetadata& a, const PictureMetadata& b) {
  return a.taken == b.taken && a.title == b.title && a.caption == b.caption &&
         a.camera == b.camera;
}

void ReadOne(const uint8_t* data, size_t size) {
  const char* bytes = reinterpret_cast<const char*>(data);
  const PictureMetadata metadata = ReadPictureMetadata(bytes, size);
  for (const std::string* text :
       {&metadata.title, &metadata.caption, &metadata.camera}) {
    CheckText(*text);
  }
  if (metadata.taken) CheckDate(*metadata.taken);
  if (HoldsAllMetadata(bytes, size / 2)) {
    Check(SameMetadata(ReadPictureMetadata(bytes, size / 2), metadata),
          "the start that holds all metadata reads like the whole file");
  }
}

}  // namespace
}  // namespace orvanta::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  orvanta::fuzz::ReadOne(data, size);
  return 0;
}
