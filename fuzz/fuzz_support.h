// Shared pieces of the fuzz targets: a scratch folder on a memory file
// system where one exists, reading and writing whole files in it, and the
// check that turns a broken property into a finding.
#ifndef ORVANTA_FUZZ_FUZZ_SUPPORT_H_
#define ORVANTA_FUZZ_FUZZ_SUPPORT_H_

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace orvanta::fuzz {

// A folder made once per process (in /dev/shm when there is one, so the
// many small files of a fuzz run stay in memory) and removed at exit.
const std::string& ScratchFolder();

// Writes `data` to `path`, replacing it; aborts when that fails, since the
// target could not test anything then.
void WriteScratchFile(const std::string& path, std::string_view data);
// The file's bytes; nothing when there is no such file.
std::optional<std::string> ReadScratchFile(const std::string& path);

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
