// orvanta-metadata-cost: what reading a picture's metadata costs, in
// microseconds per picture, as the gallery run would read it: the first
// 64 KiB of the file, the whole file when they do not hold all its
// metadata (anything but a JPEG).
//   orvanta-metadata-cost [--rounds N] FILE...
// prints, per file, the reader's time on bytes already in memory and the
// time with the read of the file (from the page cache after the first
// round), then what the metadata of 15,000 such pictures costs on one core.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/file_system.h"
#include "imagetools/picture_metadata.h"

namespace {

constexpr size_t kStart = 64 * 1024;

// The bytes the reader is given: the start of the file, or all of it.
std::string BytesToRead(const std::string& path) {
  orvanta::PosixFileSystem posix;
  orvanta::FileSystem& fs = posix;
  bool whole = false;
  std::string bytes = fs.ReadFile(path, kStart, &whole);
  if (!whole && !orvanta::HoldsAllMetadata(bytes.data(), bytes.size())) {
    bytes = fs.ReadFile(path);
  }
  return bytes;
}

double MicrosecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::micro>(
             std::chrono::steady_clock::now() - start)
      .count();
}

void Describe(const orvanta::PictureMetadata& metadata) {
  if (metadata.taken) {
    const orvanta::DateTaken& t = *metadata.taken;
    using orvanta::DatePrecision;
    std::printf("  taken %04d-%02d", t.year, t.month);
    if (t.precision != DatePrecision::kMonth) std::printf("-%02d", t.day);
    if (t.precision == DatePrecision::kSecond) {
      std::printf(" %02d:%02d:%02d", t.hour, t.minute, t.second);
    }
    if (t.offset_minutes) std::printf(" (%+d min)", *t.offset_minutes);
    std::printf("\n");
  }
  if (!metadata.camera.empty()) {
    std::printf("  camera %s\n", metadata.camera.c_str());
  }
  if (!metadata.title.empty())
    std::printf("  title %s\n", metadata.title.c_str());
  if (!metadata.caption.empty()) {
    std::printf("  caption %.60s\n", metadata.caption.c_str());
  }
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = 2000;
  std::vector<std::string> paths;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc) {
      rounds = std::max(1, std::atoi(argv[++i]));
    } else {
      paths.push_back(argv[i]);
    }
  }
  if (paths.empty()) {
    std::fprintf(stderr, "usage: orvanta-metadata-cost [--rounds N] FILE...\n");
    return 2;
  }
  try {
    for (const std::string& path : paths) {
      const std::string bytes = BytesToRead(path);
      orvanta::ReadPictureMetadata(bytes.data(), bytes.size());  // set-up
      auto start = std::chrono::steady_clock::now();
      for (int i = 0; i < rounds; ++i) {
        orvanta::ReadPictureMetadata(bytes.data(), bytes.size());
      }
      const double in_memory = MicrosecondsSince(start) / rounds;
      start = std::chrono::steady_clock::now();
      for (int i = 0; i < rounds; ++i) {
        const std::string read = BytesToRead(path);
        orvanta::ReadPictureMetadata(read.data(), read.size());
      }
      const double with_file = MicrosecondsSince(start) / rounds;
      std::printf(
          "%s: %zu bytes read, %.1f us in memory, %.1f us with the "
          "file read; 15,000 such: %.2f s on one core\n",
          path.c_str(), bytes.size(), in_memory, with_file,
          with_file * 15000 / 1e6);
      Describe(orvanta::ReadPictureMetadata(bytes.data(), bytes.size()));
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "orvanta-metadata-cost: %s\n", e.what());
    return 1;
  }
  return 0;
}
