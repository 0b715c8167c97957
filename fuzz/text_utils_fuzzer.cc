// Fuzz target: ShortenPath and SplitText as the program calls them, with
// texts and limits taken from the input. Checked besides memory safety: a
// path that fits comes back trimmed and otherwise unchanged; split parts
// hold no delimiter and come from the text.
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
  const int count = SplitText(text, &parts, max_parts, ",;", &remainder);
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

}  // namespace
}  // namespace orvanta::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  if (input.ConsumeBool()) {
    orvanta::fuzz::Shorten(input);
  } else {
    orvanta::fuzz::Split(input);
  }
  return 0;
}
