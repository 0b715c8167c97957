// Text routines: case folding, trimming, ordinal sorting and splitting at
// delimiters. Texts are byte strings (UTF-8 on POSIX); case folding touches
// ASCII letters only and comparisons go by unsigned byte value.
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

// Sorts items[first..last] in place, ascending: by character code, or, with
// `numeric`, by the number each text's leading digits form (blanks skipped,
// 0 when there are none). Shell sort; equal keys keep their order within a
// pass. Indices outside the vector are ignored.
void SortStrings(std::vector<std::string>& items, int first, int last,
                 bool numeric);

// Splits `text` at `delimiters` into at most `max_parts` parts stored in
// *parts (resized to max_parts + 2, a negative max_parts counting as 0;
// part k at index k when `one_based`, else k - 1). With `whole` the
// delimiter text counts as one delimiter, else each of its characters; with
// `combine` a run of delimiters separates once. Text left over after max_parts
// parts goes to *remainder. Returns the number of parts.
int SplitText(std::string_view text, std::vector<std::string>* parts,
              int max_parts, std::string_view delimiters,
              std::string* remainder, bool whole, bool combine, bool one_based);

// 1-based position of the first delimiter in `text` (with `combine`, of the
// last delimiter of the run that starts there); 0 when there is none.
int FindDelimiter(std::string_view text, std::string_view delimiters,
                  bool whole, bool combine);

}  // namespace orvanta

#endif  // ORVANTA_COMMON_TEXT_UTILS_H_
