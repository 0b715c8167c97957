// Dates and UTC offsets in a picture's metadata: EXIF's "2019:07:14
// 18:30:00" and "+02:00", XMP's ISO 8601 "2019-07-14T18:30:00.25+02:00",
// checked field by field.
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

// The date "2019:07:14" or "2019-07-14" at the scanner into `date`.
bool ReadDate(Scanner* in, DateTaken* date) {
  const std::optional<int> year = in->Number(4, 4);
  if (!year || !in->Mark(":-/")) return false;
  const std::optional<int> month = in->Number(1, 2);
  if (!month || !in->Mark(":-/")) return false;
  const std::optional<int> day = in->Number(1, 2);
  if (!day || *year < 1000 || *month < 1 || *month > 12 || *day < 1 ||
      *day > DaysInMonth(*year, *month)) {
    return false;
  }
  date->year = *year;
  date->month = *month;
  date->day = *day;
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

}  // namespace

std::optional<DateTaken> ParseDateTime(std::string_view text) {
  Scanner in(text);
  in.SkipBlanks();
  DateTaken date;
  if (!ReadDate(&in, &date)) return std::nullopt;
  if (!in.Mark("T ")) return std::nullopt;
  in.SkipBlanks();
  if (!ReadTime(&in, &date)) return std::nullopt;
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

}  // namespace orvanta
