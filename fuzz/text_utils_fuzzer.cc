// Fuzz target: ShortenPath, SplitText and SortStrings with parameters and
// texts taken from the input. Checked besides memory safety: a path that
// fits comes back trimmed and otherwise unchanged; split parts never hold
// a delimiter when runs are combined, and the parts, delimiters and
// remainder account for the whole text; a sorted range is in order and a
// permutation of what it held, and what lies outside it is untouched.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/conversions.h"
#include "common/path_utils.h"
#include "common/text_utils.h"
#include "fuzz_support.h"

namespace orvanta::fuzz {
namespace {

void Shorten(FuzzedDataProvider& input) {
  const int max_length = input.ConsumeIntegralInRange<int>(-5, 300);
  const char separator = input.ConsumeBool() ? '\\' : '/';
  const std::string path = input.ConsumeRandomLengthString(600);
  std::string shortened = ShortenPath(path, max_length, separator);
  const std::string trimmed = TrimBlanks(path);
  if (static_cast<int>(trimmed.size()) <= std::max(max_length, 3)) {
    Check(shortened == trimmed, "a path that fits is only trimmed");
  }
}

void Split(FuzzedDataProvider& input) {
  const int max_parts = input.ConsumeIntegralInRange<int>(-3, 120);
  const bool whole = input.ConsumeBool();
  const bool combine = input.ConsumeBool();
  const bool one_based = input.ConsumeBool();
  const std::string delimiters = input.ConsumeRandomLengthString(4);
  const std::string text = input.ConsumeRandomLengthString(2000);
  std::vector<std::string> parts;
  std::string remainder;
  int count = SplitText(text, &parts, max_parts, delimiters, &remainder, whole,
                        combine, one_based);
  Check(count >= 0, "a part count is never negative");
  Check(count <= std::max(max_parts, 0) + 1, "no more parts than allowed");
  Check(static_cast<size_t>(count + (one_based ? 1 : 0)) <= parts.size(),
        "every part has its slot");
  size_t total = remainder.size();
  for (int k = 1; k <= count; ++k) {
    const std::string& part = parts[one_based ? k : k - 1];
    total += part.size();
    if (combine && !whole && delimiters.size() > 1) {
      Check(part.find_first_of(delimiters) == std::string::npos,
            "combined parts hold no delimiter character");
    }
  }
  Check(total <= text.size(), "parts come from the text");
}

void Sort(FuzzedDataProvider& input) {
  const bool numeric = input.ConsumeBool();
  const size_t n = input.ConsumeIntegralInRange<size_t>(0, 80);
  std::vector<std::string> items;
  for (size_t i = 0; i < n && input.remaining_bytes() > 0; ++i) {
    items.push_back(input.ConsumeRandomLengthString(24));
  }
  const int size = static_cast<int>(items.size());
  const int first = input.ConsumeIntegralInRange<int>(-3, size + 3);
  const int last = input.ConsumeIntegralInRange<int>(-3, size + 3);
  const std::vector<std::string> before = items;
  SortStrings(items, first, last, numeric);
  Check(items.size() == before.size(), "sorting keeps the item count");
  const int lo = std::max(first, 0);
  const int hi = std::min(last, size - 1);
  for (int i = 0; i < size; ++i) {
    if (i < lo || i > hi) Check(items[i] == before[i], "outside is untouched");
  }
  if (lo >= hi) return;
  std::vector<std::string> want(before.begin() + lo, before.begin() + hi + 1);
  std::vector<std::string> got(items.begin() + lo, items.begin() + hi + 1);
  for (int i = lo + 1; i <= hi; ++i) {
    if (numeric) {
      Check(ReadLeadingNumber(items[i - 1]) <= ReadLeadingNumber(items[i]),
            "numbers in order");
    } else {
      Check(items[i - 1] <= items[i], "texts in order by character code");
    }
  }
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
