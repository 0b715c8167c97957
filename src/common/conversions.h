// Lenient conversions between texts, numbers, booleans and check box values
// that the options and the window rely on.
#ifndef ORVANTA_COMMON_CONVERSIONS_H_
#define ORVANTA_COMMON_CONVERSIONS_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvanta {

// Check box values.
inline constexpr int kUnchecked = 0;
inline constexpr int kChecked = 1;
inline constexpr int kGrey = 2;

// True only for the value 1 (checked); 0 and 2 (grey) are false.
bool CheckboxToBoolean(int value);
// 1 for true, 0 for false.
int CheckboxFromBoolean(bool value);

// Rounds to the nearest integer, ties to even (12.5 -> 12, 13.5 -> 14).
double RoundHalfEven(double value);

// Reads the number at the start of `text` the lenient way: blanks are
// skipped wherever they stand, reading stops at the first character that
// cannot continue a number, an exponent (E3) is understood, and an empty or
// non-numeric text reads as 0. "12abc" -> 12, "4000abc" -> 4000.
double ReadLeadingNumber(std::string_view text);

// The whole text as a number when it is numeric (surrounding blanks
// allowed, a sign, decimals and an exponent), else nothing.
std::optional<double> ParseNumeric(std::string_view text);

// Converts a numeric text to a 32-bit integer, ties to even. Throws
// Error(kTypeMismatch, "Type mismatch") for a non-numeric text and
// Error("Overflow") outside the 32-bit range.
int32_t ConvertToLong(std::string_view text);

// A text's value as a 32-bit integer (ties to even) when it is numeric;
// 0 for a non-numeric text or on overflow. "12.5" -> 12, "abc" -> 0.
int32_t TextToLong(std::string_view text);

// The trimmed text as a boolean: True/False in any case, or a number
// (nonzero is true); anything else is false.
bool TextToBoolean(std::string_view text);

// Returns *value when minimum <= *value <= maximum; otherwise sets *value
// to `fallback` and returns it.
int32_t ClampToRange(int32_t* value, int32_t minimum, int32_t maximum,
                     int32_t fallback);

// Checks a numeric text box on losing the focus: when the number read from
// *text (ReadLeadingNumber) lies outside minimum..maximum, *text becomes
// the fallback in decimal. Returns the number read from *text afterwards,
// rounded to 32 bits (ties to even).
int32_t ValidateTextBoxNumber(std::string* text, int32_t minimum,
                              int32_t maximum, int32_t fallback);

// A number as the platform writes it in a text box: integers without a
// decimal point ("12"), others with the shortest exact digits ("12.7").
std::string FormatNumber(double value);

}  // namespace orvanta

#endif  // ORVANTA_COMMON_CONVERSIONS_H_
