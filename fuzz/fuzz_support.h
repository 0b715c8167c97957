// Shared pieces of the fuzz targets: the check that turns a broken property
// into a finding, and a scratch folder (in memory where /dev/shm exists)
// with whole-file reads and writes.
#ifndef ORVANTA_FUZZ_FUZZ_SUPPORT_H_
#define ORVANTA_FUZZ_FUZZ_SUPPORT_H_

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

namespace orvanta::fuzz {

// Stops the run with `what` when `condition` is false: libFuzzer reports
// the input as a crash.
inline void Check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "Property violated: %s\n", what);
    std::abort();
  }
}

// A folder made once per process and removed at exit (the name is never
// destroyed, so the exit handler can still read it).
inline const std::string& ScratchFolder() {
  static const std::string* folder = [] {
    auto* name = new std::string(std::filesystem::is_directory("/dev/shm")
                                     ? "/dev/shm/orvanta-fuzz-XXXXXX"
                                     : "/tmp/orvanta-fuzz-XXXXXX");
    Check(::mkdtemp(name->data()) != nullptr, "a scratch folder is made");
    std::atexit([] { std::filesystem::remove_all(ScratchFolder()); });
    return name;
  }();
  return *folder;
}

inline void WriteScratchFile(const std::string& path, std::string_view data) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(data.data(), static_cast<std::streamsize>(data.size()));
  Check(static_cast<bool>(out.flush()), "a scratch file is written");
}

// The file's bytes; nothing when there is no such file.
inline std::optional<std::string> ReadScratchFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace orvanta::fuzz

#endif  // ORVANTA_FUZZ_FUZZ_SUPPORT_H_
