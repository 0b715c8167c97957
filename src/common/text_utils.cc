// Text routines: ASCII case folding, trimming, the ordinal Shell sort and
// splitting texts at delimiters.
#include "common/text_utils.h"

#include <algorithm>

#include "common/conversions.h"

namespace orvanta {

namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; }
char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? c - 32 : c; }

// Returns the 1-based position of the last delimiter of the run that starts
// at 0-based `start`. A run is made of whole delimiter texts
// (`whole`, or a one-character delimiter) or of any delimiter characters.
int EndOfDelimiterRun(std::string_view text, std::string_view delimiters,
                      bool whole, size_t start) {
  bool as_whole = whole || delimiters.size() == 1;
  size_t step = as_whole ? delimiters.size() : 1;
  size_t last = start;
  size_t next = start + step;
  while (next < text.size()) {
    bool continues =
        as_whole ? text.substr(next, step) == delimiters
                 : delimiters.find(text[next]) != std::string_view::npos;
    if (!continues) break;
    last = next;
    next += step;
  }
  return static_cast<int>(last) + 1;
}

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

// Gap sequence 1, 4, 13, 40, ... (taken two steps back from the first gap
// not below the count) for 14 items or more; plain insertion sort below.
void SortStrings(std::vector<std::string>& items, int first, int last,
                 bool numeric) {
  first = std::max(first, 0);
  last = std::min(last, static_cast<int>(items.size()) - 1);
  int count = last - first + 1;
  if (count < 2) return;
  std::vector<double> keys;
  if (numeric) {
    keys.resize(items.size());
    for (int i = first; i <= last; ++i) keys[i] = ReadLeadingNumber(items[i]);
  }
  int gap = 1;
  if (count >= 14) {
    while (gap < count) gap = 3 * gap + 1;
    gap /= 3;
    gap /= 3;
  }
  for (; gap >= 1; gap /= 3) {
    for (int i = first + gap; i <= last; ++i) {
      std::string item = std::move(items[i]);
      double key = numeric ? keys[i] : 0;
      int j = i;
      while (j - gap >= first &&
             (numeric ? keys[j - gap] > key : items[j - gap] > item)) {
        items[j] = std::move(items[j - gap]);
        if (numeric) keys[j] = keys[j - gap];
        j -= gap;
      }
      items[j] = std::move(item);
      if (numeric) keys[j] = key;
    }
  }
}

int SplitText(std::string_view text, std::vector<std::string>* parts,
              int max_parts, std::string_view delimiters,
              std::string* remainder, bool whole, bool combine,
              bool one_based) {
  // A negative limit allows no parts: the whole text is the remainder.
  max_parts = std::max(max_parts, 0);
  parts->assign(max_parts + 2, std::string());
  remainder->clear();
  int count = 0;
  auto store = [&](std::string_view part) {
    ++count;
    (*parts)[one_based ? count : count - 1] = std::string(part);
  };
  int position = FindDelimiter(text, delimiters, whole, combine);
  while (count < max_parts && position >= 1) {
    // With `combine` the part ends before the first delimiter of the run,
    // so no delimiter of the run stays in it.
    int part_end =
        combine ? FindDelimiter(text, delimiters, whole, false) : position;
    store(text.substr(0, part_end - 1));
    size_t delimiter_size = whole ? delimiters.size() : 1;
    text = text.substr(std::min(text.size(), position - 1 + delimiter_size));
    position = FindDelimiter(text, delimiters, whole, combine);
  }
  if (!text.empty()) {
    if (count == max_parts) {
      *remainder = std::string(text);
    } else {
      store(text);
    }
  }
  return count;
}

int FindDelimiter(std::string_view text, std::string_view delimiters,
                  bool whole, bool combine) {
  if (delimiters.empty()) return 0;
  size_t found = (!whole && delimiters.size() > 1)
                     ? text.find_first_of(delimiters)
                     : text.find(delimiters);
  if (found == std::string_view::npos) return 0;
  if (!combine) return static_cast<int>(found) + 1;
  return EndOfDelimiterRun(text, delimiters, whole, found);
}

}  // namespace orvanta
