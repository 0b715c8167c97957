// Scratch folder and whole-file reads and writes for the fuzz targets.
#include "fuzz_support.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace orvanta::fuzz {

const std::string& ScratchFolder() {
  static const std::string folder = [] {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::filesystem::is_directory("/dev/shm")
                              ? "/dev/shm"
                              : (tmp != nullptr && *tmp ? tmp : "/tmp");
    pattern += "/orvanta-fuzz-XXXXXX";
    Check(::mkdtemp(pattern.data()) != nullptr, "a scratch folder is made");
    std::atexit([] { std::filesystem::remove_all(ScratchFolder()); });
    return pattern;
  }();
  return folder;
}

void WriteScratchFile(const std::string& path, std::string_view data) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(data.data(), static_cast<std::streamsize>(data.size()));
  Check(static_cast<bool>(out.flush()), "a scratch file is written");
}

std::optional<std::string> ReadScratchFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace orvanta::fuzz
