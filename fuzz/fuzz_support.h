// Shared piece of the fuzz targets: the check that turns a broken property
// into a finding.
#ifndef ORVANTA_FUZZ_FUZZ_SUPPORT_H_
#define ORVANTA_FUZZ_FUZZ_SUPPORT_H_

#include <cstdio>
#include <cstdlib>

namespace orvanta::fuzz {

// Stops the run with `what` when `condition` is false: libFuzzer reports
// the input as a crash.
inline void Check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "Property violated: %s\n", what);
    std::abort();
  }
}

}  // namespace orvanta::fuzz

#endif  // ORVANTA_FUZZ_FUZZ_SUPPORT_H_
