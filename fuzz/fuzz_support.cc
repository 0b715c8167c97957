// Scratch folder and file writing for the fuzz targets.
#include "fuzz_support.h"

#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace orvanta::fuzz {
namespace {

int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) {
  ::remove(path);
  return 0;
}

void RemoveScratchFolder() {
  ::nftw(ScratchFolder().c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
}

}  // namespace

const std::string& ScratchFolder() {
  static const std::string folder = [] {
    struct stat status;
    std::string base = "/dev/shm";
    if (::stat(base.c_str(), &status) != 0 || !S_ISDIR(status.st_mode) ||
        ::access(base.c_str(), W_OK) != 0) {
      const char* tmp = std::getenv("TMPDIR");
      base = tmp != nullptr && *tmp != '\0' ? tmp : "/tmp";
    }
    std::string pattern = base + "/orvanta-fuzz-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
      std::perror("mkdtemp");
      std::abort();
    }
    return pattern;
  }();
  static const bool registered = [] {
    std::atexit(RemoveScratchFolder);
    return true;
  }();
  (void)registered;
  return folder;
}

void WriteScratchFile(const std::string& path, std::string_view data) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) {
    std::perror(path.c_str());
    std::abort();
  }
  size_t done = 0;
  while (done < data.size()) {
    ssize_t written = ::write(fd, data.data() + done, data.size() - done);
    if (written <= 0) {
      std::perror(path.c_str());
      std::abort();
    }
    done += static_cast<size_t>(written);
  }
  ::close(fd);
}

}  // namespace orvanta::fuzz
