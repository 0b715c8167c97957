// Dates and UTC offsets in a picture's metadata: EXIF's "2019:07:14
// 18:30:00" and "+02:00", XMP's ISO 8601 "2019-07-14T18:30:00.25+02:00",
// and the dates without a time that scanners and photo managers write
// ("2019-07-14", "2019-07", EXIF's "2019:07:14   :  :  "), checked field by
// field; and the choice of the date taken among a picture's dates.
#include <optional>
#include <string_view>

#include "imagetools/metadata_text.h"

namespace orvanta {
namespace {

// Reads numbers and marks from the front of a text.
class Scanner {
 public:
  explicit Scanner(std::string_view text) : text_(text) {}

  // A number of `min` to `max` digits; nothing (and nothing read) else.
  std::optional<int> Number(size_t min, size_t max) {
    size_t n = 0;
    int value = 0;
    while (n < max && n < text_.size() && text_[n] >= '0' && text_[n] <= '9') {
      value = value * 10 + (text_[n++] - '0');
    }
    if (n < min) return std::nullopt;
    text_.remove_prefix(n);
    return value;
  }
  // Reads one of `marks` if the text goes on with it.
  bool Mark(std::string_view marks) {
    if (text_.empty() || marks.find(text_.front()) == std::string_view::npos) {
      return false;
    }
    text_.remove_prefix(1);
    return true;
  }
  void SkipBlanks() {
    while (!text_.empty() && (text_.front() == ' ' || text_.front() == '\0')) {
      text_.remove_prefix(1);
    }
  }
  bool AtEnd() const { return text_.empty(); }
  // Nothing but blanks and colons left: the parts of an EXIF date that
  // are not known are blanked ("2019:07:14   :  :  ").
  bool OnlyBlanked() const {
    return text_.find_first_not_of(std::string_view(" :\0", 3)) ==
           std::string_view::npos;
  }

 private:
  std::string_view text_;
};

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30,
                                  31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

// An offset at the scanner: "Z", "+02:00", "+0200" or "+02"; nothing when
// there is none or it is beyond +-14:00.
std::optional<int> ReadOffset(Scanner* in) {
  if (in->Mark("Z")) return 0;
  const bool east = in->Mark("+");
  if (!east && !in->Mark("-")) return std::nullopt;
  const std::optional<int> hours = in->Number(2, 2);
  if (!hours) return std::nullopt;
  in->Mark(":");
  const int minutes = in->Number(2, 2).value_or(0);
  if (minutes > 59 || *hours * 60 + minutes > 14 * 60) return std::nullopt;
  return (east ? 1 : -1) * (*hours * 60 + minutes);
}

// The date "2019:07:14" or "2019-07-14" at the scanner into `date`, of
// day precision; "2019-07" (or "2019:07:  ") of month precision.
bool ReadDate(Scanner* in, DateTaken* date) {
  const std::optional<int> year = in->Number(4, 4);
  if (!year || !in->Mark(":-/")) return false;
  const std::optional<int> month = in->Number(1, 2);
  if (!month || *year < 1000 || *month < 1 || *month > 12) return false;
  date->year = *year;
  date->month = *month;
  date->day = 1;
  date->precision = DatePrecision::kMonth;
  if (in->OnlyBlanked()) return true;
  if (!in->Mark(":-/")) return false;
  const std::optional<int> day = in->Number(1, 2);
  if (!day || *day < 1 || *day > DaysInMonth(*year, *month)) return false;
  date->day = *day;
  date->precision = DatePrecision::kDay;
  return true;
}

// The time "18:30:00", "18:30" or "18:30:00.25" at the scanner.
bool ReadTime(Scanner* in, DateTaken* date) {
  const std::optional<int> hour = in->Number(1, 2);
  if (!hour || !in->Mark(":")) return false;
  const std::optional<int> minute = in->Number(2, 2);
  if (!minute) return false;
  int second = 0;
  if (in->Mark(":")) {
    const std::optional<int> seconds = in->Number(2, 2);
    if (!seconds) return false;
    second = *seconds;
    if (in->Mark(".,")) in->Number(1, 9);  // fractions of a second
  }
  if (*hour > 23 || *minute > 59 || second > 59) return false;
  date->hour = *hour;
  date->minute = *minute;
  date->second = second;
  return true;
}

bool SameMinute(const DateTaken& a, const DateTaken& b) {
  return a.precision == DatePrecision::kSecond &&
         b.precision == DatePrecision::kSecond && a.year == b.year &&
         a.month == b.month && a.day == b.day && a.hour == b.hour &&
         a.minute == b.minute;
}

// An EXIF date with the offset its EXIF offset tag gives, when it has a
// time.
std::optional<DateTaken> ExifDate(const std::string& date,
                                  const std::string& offset) {
  std::optional<DateTaken> taken = ParseDateTime(date);
  if (taken && !taken->offset_minutes &&
      taken->precision == DatePrecision::kSecond) {
    taken->offset_minutes = ParseUtcOffset(offset);
  }
  return taken;
}

}  // namespace

std::optional<DateTaken> ParseDateTime(std::string_view text) {
  Scanner in(text);
  in.SkipBlanks();
  DateTaken date;
  if (!ReadDate(&in, &date)) return std::nullopt;
  if (date.precision == DatePrecision::kMonth || in.OnlyBlanked()) {
    return date;
  }
  if (!in.Mark("T ")) return std::nullopt;
  in.SkipBlanks();
  if (!ReadTime(&in, &date)) return std::nullopt;
  date.precision = DatePrecision::kSecond;
  in.SkipBlanks();
  if (!in.AtEnd()) {
    date.offset_minutes = ReadOffset(&in);
    in.SkipBlanks();
    if (!date.offset_minutes || !in.AtEnd()) return std::nullopt;
  }
  return date;
}

std::optional<int> ParseUtcOffset(std::string_view text) {
  Scanner in(text);
  in.SkipBlanks();
  const std::optional<int> offset = ReadOffset(&in);
  in.SkipBlanks();
  return in.AtEnd() ? offset : std::nullopt;
}

std::optional<DateTaken> ChooseDateTaken(const DateTexts& found) {
  std::optional<DateTaken> iptc;
  if (!found.iptc_date.empty() && !found.iptc_time.empty()) {
    iptc = ParseDateTime(found.iptc_date + "T" + found.iptc_time);
  }
  if (!iptc) iptc = ParseDateTime(found.iptc_date);
  const std::optional<DateTaken> dates[] = {
      ExifDate(found.exif_taken, found.exif_offset),
      ParseDateTime(found.xmp_taken),
      ParseDateTime(found.xmp_created),
      iptc,
      ExifDate(found.exif_digitized, found.exif_digitized_offset),
      ParseDateTime(found.xmp_digitized),
      ParseDateTime(found.xmp_create)};
  std::optional<DateTaken> chosen;
  for (const std::optional<DateTaken>& date : dates) {
    if (!date) continue;
    if (!chosen) {
      chosen = date;
    } else if (!chosen->offset_minutes && SameMinute(*chosen, *date)) {
      chosen->offset_minutes = date->offset_minutes;
    }
  }
  return chosen;
}

}  // namespace orvanta
