// Fuzz target: ShortenPath, SplitText and SortStrings as the program calls
// them, with texts and limits taken from the input. Checked besides memory
// safety: a path that fits comes back trimmed and otherwise unchanged;
// split parts hold no delimiter and come from the text; a sorted range is
// in order, a permutation of what it held, and nothing outside it moves.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/path_utils.h"
#include "common/text_utils.h"
#include "fuzz_support.h"

namespace orvanta::fuzz {
namespace {

void Shorten(FuzzedDataProvider& input) {
  const int max_length = input.ConsumeIntegralInRange<int>(-5, 300);
  const char separator = input.ConsumeBool() ? '\\' : '/';
  const std::string path = input.ConsumeRandomLengthString(600);
  const std::string trimmed = TrimBlanks(path);
  if (static_cast<int>(trimmed.size()) <= std::max(max_length, 3)) {
    Check(ShortenPath(path, max_length, separator) == trimmed,
          "a path that fits is only trimmed");
  }
}

void Split(FuzzedDataProvider& input) {
  const int max_parts = input.ConsumeIntegralInRange<int>(-3, 120);
  const std::string text = input.ConsumeRandomLengthString(2000);
  std::vector<std::string> parts;
  std::string remainder;
  const int count =
      SplitText(text, &parts, max_parts, ",;", &remainder, false, true, false);
  Check(count >= 0 && count <= std::max(max_parts, 0) + 1,
        "no more parts than allowed");
  size_t total = remainder.size();
  for (int k = 0; k < count; ++k) {
    Check(parts[k].find_first_of(",;") == std::string::npos,
          "parts hold no delimiter");
    total += parts[k].size();
  }
  Check(total <= text.size(), "parts come from the text");
}

void Sort(FuzzedDataProvider& input) {
  std::vector<std::string> items(input.ConsumeIntegralInRange<size_t>(0, 80));
  for (std::string& item : items) item = input.ConsumeRandomLengthString(24);
  const int size = static_cast<int>(items.size());
  const int first = input.ConsumeIntegralInRange<int>(-3, size + 3);
  const int last = input.ConsumeIntegralInRange<int>(-3, size + 3);
  const std::vector<std::string> before = items;
  SortStrings(items, first, last, false);
  const int lo = std::max(first, 0), hi = std::min(last, size - 1);
  for (int i = 0; i < size; ++i) {
    if (i < lo || i > hi) Check(items[i] == before[i], "outside is untouched");
    if (i > lo && i <= hi) Check(items[i - 1] <= items[i], "texts in order");
  }
  if (lo >= hi) return;
  std::vector<std::string> want(before.begin() + lo, before.begin() + hi + 1);
  std::vector<std::string> got(items.begin() + lo, items.begin() + hi + 1);
  std::sort(want.begin(), want.end());
  std::sort(got.begin(), got.end());
  Check(want == got, "the sorted range holds the same texts");
}

}  // namespace
}  // namespace orvanta::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  switch (input.ConsumeIntegralInRange<int>(0, 2)) {
    case 0:
      orvanta::fuzz::Shorten(input);
      break;
    case 1:
      orvanta::fuzz::Split(input);
      break;
    default:
      orvanta::fuzz::Sort(input);
      break;
  }
  return 0;
}
