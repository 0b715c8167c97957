// Lenient conversions between texts, numbers, booleans and check box
// values. Numbers are read and written without regard to the C locale, so
// a desktop locale with a decimal comma changes nothing.
#include "common/conversions.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "common/error.h"
#include "common/text_utils.h"

namespace orvanta {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsExponentLetter(char c) {
  return c == 'e' || c == 'E' || c == 'd' || c == 'D';
}

// The parts of a decimal number as scanned from a text.
struct DecimalText {
  bool negative = false;
  std::string integer_digits;
  std::string fraction_digits;
  bool exponent_negative = false;
  std::string exponent_digits;
};

// Turns scanned parts into a double. Sets *out_of_range (and returns
// +-infinity or 0) when the value does not fit a double.
double ToDouble(const DecimalText& number, bool* out_of_range) {
  std::string text = number.negative ? "-" : "";
  text += number.integer_digits.empty() ? "0" : number.integer_digits;
  if (!number.fraction_digits.empty()) text += "." + number.fraction_digits;
  if (!number.exponent_digits.empty()) {
    text += number.exponent_negative ? "e-" : "e";
    text += number.exponent_digits;
  }
  double value = 0;
  auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), value);
  *out_of_range = false;
  if (error == std::errc::result_out_of_range) {
    // Underflow reads as zero; only an overflow is out of range.
    bool tiny = number.exponent_negative && !number.exponent_digits.empty();
    if (tiny) return number.negative ? -0.0 : 0.0;
    *out_of_range = true;
    double infinity = std::numeric_limits<double>::infinity();
    return number.negative ? -infinity : infinity;
  }
  return value;
}

// Reads "&H..." (hexadecimal) or "&O..." (octal) after the "&" the way the
// lenient reader does: values of up to 16 and 32 bits wrap to signed.
double ReadRadixNumber(std::string_view text) {
  int radix = (text[0] == 'h' || text[0] == 'H') ? 16 : 8;
  uint64_t value = 0;
  for (size_t i = 1; i < text.size(); ++i) {
    int digit = -1;
    char c = text[i];
    if (IsDigit(c)) digit = c - '0';
    if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit < 0 || digit >= radix) break;
    if (value > (std::numeric_limits<uint64_t>::max() >> 4)) break;
    value = value * radix + digit;
  }
  if (value <= 0xFFFF) return static_cast<int16_t>(value);
  if (value <= 0xFFFFFFFFu) return static_cast<int32_t>(value);
  return static_cast<double>(value);
}

// Scans the syntax of a whole decimal number (no blanks inside): a sign,
// digits with at most one point, an optional exponent with digits. Returns
// false when the text is anything else.
bool ScanWholeNumber(std::string_view text, DecimalText* number) {
  size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    number->negative = text[i] == '-';
    ++i;
  }
  while (i < text.size() && IsDigit(text[i]))
    number->integer_digits += text[i++];
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) {
      number->fraction_digits += text[i++];
    }
  }
  if (number->integer_digits.empty() && number->fraction_digits.empty()) {
    return false;
  }
  if (i < text.size() && IsExponentLetter(text[i])) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
      number->exponent_negative = text[i] == '-';
      ++i;
    }
    while (i < text.size() && IsDigit(text[i])) {
      number->exponent_digits += text[i++];
    }
    if (number->exponent_digits.empty()) return false;
  }
  return i == text.size();
}

enum class NumericStatus { kNotNumeric, kOk, kOutOfRange };

NumericStatus ParseDecimal(std::string_view text, double* value) {
  DecimalText number;
  if (!ScanWholeNumber(TrimBlanks(text), &number)) {
    return NumericStatus::kNotNumeric;
  }
  bool out_of_range = false;
  *value = ToDouble(number, &out_of_range);
  return out_of_range ? NumericStatus::kOutOfRange : NumericStatus::kOk;
}

}  // namespace

bool CheckboxToBoolean(int value) { return value == kChecked; }

int CheckboxFromBoolean(bool value) { return value ? kChecked : kUnchecked; }

double RoundHalfEven(double value) {
  if (!std::isfinite(value)) return value;
  double lower = std::floor(value);
  double difference = value - lower;
  if (difference > 0.5) return lower + 1;
  if (difference < 0.5) return lower;
  return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

// Blanks, tabs and line feeds are dropped first, then the longest number
// at the start is read; a value too large for a double reads as
// +-infinity.
double ReadLeadingNumber(std::string_view text) {
  std::string compact;
  for (char c : text) {
    if (c != ' ' && c != '\t' && c != '\n') compact += c;
  }
  if (compact.size() >= 2 && compact[0] == '&') {
    char radix = compact[1];
    if (radix == 'h' || radix == 'H' || radix == 'o' || radix == 'O') {
      return ReadRadixNumber(std::string_view(compact).substr(1));
    }
    return 0;
  }
  DecimalText number;
  size_t i = 0;
  if (i < compact.size() && (compact[i] == '+' || compact[i] == '-')) {
    number.negative = compact[i] == '-';
    ++i;
  }
  while (i < compact.size() && IsDigit(compact[i])) {
    number.integer_digits += compact[i++];
  }
  if (i < compact.size() && compact[i] == '.') {
    ++i;
    while (i < compact.size() && IsDigit(compact[i])) {
      number.fraction_digits += compact[i++];
    }
  }
  if (number.integer_digits.empty() && number.fraction_digits.empty()) {
    return 0;
  }
  if (i < compact.size() && IsExponentLetter(compact[i])) {
    size_t j = i + 1;
    bool negative = false;
    if (j < compact.size() && (compact[j] == '+' || compact[j] == '-')) {
      negative = compact[j] == '-';
      ++j;
    }
    while (j < compact.size() && IsDigit(compact[j])) {
      number.exponent_digits += compact[j++];
    }
    number.exponent_negative = negative;
  }
  bool out_of_range = false;
  return ToDouble(number, &out_of_range);
}

std::optional<double> ParseNumeric(std::string_view text) {
  double value = 0;
  if (ParseDecimal(text, &value) != NumericStatus::kOk) return std::nullopt;
  return value;
}

int32_t ConvertToLong(std::string_view text) {
  double value = 0;
  NumericStatus status = ParseDecimal(text, &value);
  if (status == NumericStatus::kNotNumeric) {
    throw Error("Type mismatch", ErrorKind::kTypeMismatch);
  }
  double rounded = RoundHalfEven(value);
  if (status == NumericStatus::kOutOfRange ||
      rounded < std::numeric_limits<int32_t>::min() ||
      rounded > std::numeric_limits<int32_t>::max()) {
    throw Error("Overflow");
  }
  return static_cast<int32_t>(rounded);
}

int32_t TextToLong(std::string_view text) {
  try {
    return ConvertToLong(text);
  } catch (const Error&) {
    return 0;
  }
}

bool TextToBoolean(std::string_view text) {
  std::string trimmed = TrimBlanks(text);
  if (EqualsIgnoreCase(trimmed, "true")) return true;
  if (EqualsIgnoreCase(trimmed, "false")) return false;
  std::optional<double> number = ParseNumeric(trimmed);
  return number.has_value() && *number != 0;
}

int32_t ClampToRange(int32_t* value, int32_t minimum, int32_t maximum,
                     int32_t fallback) {
  if (*value < minimum || *value > maximum) *value = fallback;
  return *value;
}

int32_t ValidateTextBoxNumber(std::string* text, int32_t minimum,
                              int32_t maximum, int32_t fallback) {
  double value = ReadLeadingNumber(*text);
  if (value < minimum || value > maximum) *text = std::to_string(fallback);
  double rounded = RoundHalfEven(ReadLeadingNumber(*text));
  if (rounded < std::numeric_limits<int32_t>::min() ||
      rounded > std::numeric_limits<int32_t>::max()) {
    return fallback;  // only reachable with a range wider than 32 bits
  }
  return static_cast<int32_t>(rounded);
}

// Whole numbers below 1E+15 in plain digits; everything else with 15
// significant digits and an upper-case exponent where one is needed.
std::string FormatNumber(double value) {
  if (!std::isfinite(value)) {
    return std::isnan(value) ? "NaN" : (value > 0 ? "Infinity" : "-Infinity");
  }
  if (value == 0) return "0";
  char buffer[64];
  std::to_chars_result result{};
  if (value == std::trunc(value) && std::fabs(value) < 1e15) {
    result = std::to_chars(buffer, buffer + sizeof buffer, value,
                           std::chars_format::fixed, 0);
  } else {
    result = std::to_chars(buffer, buffer + sizeof buffer, value,
                           std::chars_format::general, 15);
  }
  std::string text(buffer, result.ptr);
  for (char& c : text) {
    if (c == 'e') c = 'E';
  }
  return text;
}

}  // namespace orvanta
