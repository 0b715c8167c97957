// Text routines: ASCII case folding, trimming, the ordinal sort and
// splitting texts at delimiters.
#include "common/text_utils.h"

#include <algorithm>

namespace orvanta {

namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; }
char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? c - 32 : c; }

}  // namespace

std::string ToLowerAscii(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = LowerAscii(c);
  return result;
}

std::string ToUpperAscii(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = UpperAscii(c);
  return result;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         EqualsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

std::string TrimBlanks(std::string_view text) {
  size_t begin = text.find_first_not_of(' ');
  if (begin == std::string_view::npos) return "";
  size_t end = text.find_last_not_of(' ');
  return std::string(text.substr(begin, end - begin + 1));
}

void SortStrings(std::vector<std::string>& items) {
  // std::string compares by unsigned byte value.
  std::sort(items.begin(), items.end());
}

int SplitText(std::string_view text, std::vector<std::string>* parts,
              int max_parts, std::string_view delimiters,
              std::string* remainder) {
  // A negative limit allows no parts: the whole text is the remainder.
  max_parts = std::max(max_parts, 0);
  parts->assign(max_parts + 1, std::string());
  remainder->clear();
  int count = 0;
  size_t found = text.find_first_of(delimiters);
  while (count < max_parts && found != std::string_view::npos) {
    (*parts)[count++] = std::string(text.substr(0, found));
    // A run of delimiters separates once.
    const size_t next = text.find_first_not_of(delimiters, found);
    text = next == std::string_view::npos ? "" : text.substr(next);
    found = text.find_first_of(delimiters);
  }
  if (!text.empty()) {
    if (count == max_parts) {
      *remainder = std::string(text);
    } else {
      (*parts)[count++] = std::string(text);
    }
  }
  return count;
}

}  // namespace orvanta
