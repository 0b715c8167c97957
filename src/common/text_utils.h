// Text routines: case folding, trimming, ordinal sorting and splitting at
// delimiters, UTF-8 checks, Windows-1252 decoding and the removal of the
// characters a page must not show. Texts are byte strings (UTF-8 on POSIX);
// case folding touches ASCII letters only and comparisons go by unsigned
// byte value.
#ifndef ORVANTA_COMMON_TEXT_UTILS_H_
#define ORVANTA_COMMON_TEXT_UTILS_H_

#include <string>
#include <string_view>
#include <vector>

namespace orvanta {

std::string ToLowerAscii(std::string_view text);
std::string ToUpperAscii(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
// True when the first prefix.size() characters of `text` equal `prefix`
// ignoring case (so every text starts with the empty prefix).
bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix);
// Removes leading and trailing blanks (spaces only, not tabs).
std::string TrimBlanks(std::string_view text);

// Sorts the texts in place by character code (unsigned byte value).
void SortStrings(std::vector<std::string>& items);

// Splits `text` at any character of `delimiters` into at most `max_parts`
// parts stored in *parts from index 0 (resized to max_parts + 1, a negative
// max_parts counting as 0); a run of delimiters separates once, so a
// leading delimiter gives an empty first part. Text left over after
// max_parts parts goes to *remainder. Returns the number of parts.
int SplitText(std::string_view text, std::vector<std::string>* parts,
              int max_parts, std::string_view delimiters,
              std::string* remainder);

// The length of the valid UTF-8 sequence at text[i]; 0 when there is none
// (a stray byte, an overlong form, a surrogate, past U+10FFFF).
size_t Utf8Length(std::string_view text, size_t i);
bool IsValidUtf8(std::string_view text);
void AppendUtf8(char32_t c, std::string* out);

// `text` read as Windows-1252 (the code page of older Windows programs and
// cameras), in UTF-8; the five bytes that code page leaves undefined are
// dropped.
std::string Windows1252ToUtf8(std::string_view text);

// True for the characters nobody means a page to show: the C0 controls
// other than tab, line feed and carriage return (which HTML reads as
// blanks), DEL, the C1 controls, and the bidirectional embeddings,
// overrides and isolates (U+202A-U+202E, U+2066-U+2069) that make
// "abc\u202Egpj.exe" look like "abcexe.jpg".
bool IsHiddenControl(char32_t c);

// `text` without the characters IsHiddenControl names; bytes that are not
// valid UTF-8 are kept as they are.
std::string WithoutHiddenControls(std::string_view text);

}  // namespace orvanta

#endif  // ORVANTA_COMMON_TEXT_UTILS_H_
