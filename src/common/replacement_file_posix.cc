// Whole-file replacement through a temporary file and a rename.
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "common/error.h"
#include "common/posix_io.h"
#include "common/replacement_file.h"

namespace orvanta {
namespace {

constexpr std::string_view kTemporaryMark = ".orvanta-";

// The process's umask, read once. Linux tells it in /proc/self/status;
// without that it is read by setting it briefly, which a file that another
// thread makes at that moment would feel.
mode_t ProcessUmask() {
  static const mode_t mask = [] {
    if (std::FILE* status = std::fopen("/proc/self/status", "re")) {
      char line[256];
      unsigned value = 0;
      bool found = false;
      while (!found && std::fgets(line, sizeof line, status) != nullptr) {
        found = std::sscanf(line, "Umask: %o", &value) == 1;
      }
      std::fclose(status);
      if (found) return static_cast<mode_t>(value);
    }
    const mode_t old = ::umask(022);
    ::umask(old);
    return old;
  }();
  return mask;
}

}  // namespace

bool IsReplacementLeftover(std::string_view name) {
  const size_t suffix = kTemporaryMark.size() + 6;
  if (name.size() < suffix + 2 || name[0] != '.') return false;
  const std::string_view tail = name.substr(name.size() - suffix);
  if (!tail.starts_with(kTemporaryMark)) return false;
  return std::all_of(tail.begin() + kTemporaryMark.size(), tail.end(),
                     [](char c) {
                       return (c >= '0' && c <= '9') ||
                              (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
                     });
}

// The target itself is looked at, never what a link there points to.
ReplacementFile::ReplacementFile(const std::string& path) : target_(path) {
  struct stat status;
  if (::lstat(path.c_str(), &status) == 0) {
    if (S_ISREG(status.st_mode)) {
      regular_ = true;
      mode_ = status.st_mode & 07777;
    } else if (S_ISDIR(status.st_mode)) {
      throw SystemError(EISDIR);
    } else if (!S_ISLNK(status.st_mode)) {
      throw Error(path + ": not a regular file, left alone",
                  ErrorKind::kNotRegularFile);
    }
  } else if (errno != ENOENT) {
    throw SystemError(errno);
  }
  if (!regular_) mode_ = 0666 & ~ProcessUmask();
  const size_t slash = target_.rfind('/');
  const std::string folder =
      slash == std::string::npos ? "." : target_.substr(0, slash + 1);
  if (::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0) {
    throw SystemError(errno);
  }
}

ReplacementFile::~ReplacementFile() { Abandon(); }

bool ReplacementFile::Holds(std::string_view bytes) const {
  if (!regular_) return false;
  FileDescriptor fd(
      ::open(target_.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
  struct stat status;
  if (fd.get() < 0 || ::fstat(fd.get(), &status) != 0 ||
      !S_ISREG(status.st_mode) ||
      static_cast<size_t>(status.st_size) != bytes.size()) {
    return false;
  }
  char buffer[kBufferSize];
  for (size_t done = 0; done < bytes.size();) {
    const ssize_t n =
        ::read(fd.get(), buffer, std::min(sizeof buffer, bytes.size() - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0 || std::memcmp(buffer, bytes.data() + done, n) != 0) {
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

void ReplacementFile::Commit(std::string_view bytes) {
  CommitWith(
      [bytes](int fd) { return WriteAll(fd, bytes.data(), bytes.size()); });
}

// The rename replaces whatever name is at the target, a link included.
void ReplacementFile::CommitWith(const std::function<int(int fd)>& fill) {
  MakeTemporary();
  Finish(fill(fd_));
}

void ReplacementFile::CommitMade(
    const std::function<void(const std::string& path)>& make) {
  MakeTemporary();
  make(temporary_);  // a throw leaves it to the destructor's Abandon()
  Finish(0);
}

void ReplacementFile::MakeTemporary() {
  if (finished_) throw Error("File already closed");
  finished_ = true;
  const size_t slash = target_.rfind('/');
  const size_t name = slash == std::string::npos ? 0 : slash + 1;
  temporary_ = target_.substr(0, name) + "." + target_.substr(name) +
               std::string(kTemporaryMark) + "XXXXXX";
  fd_ = ::mkostemp(temporary_.data(), O_CLOEXEC);
  if (fd_ < 0) {
    const int error = errno;
    temporary_.clear();
    throw SystemError(error);
  }
}

void ReplacementFile::Finish(int error) {
  if (error == 0 && ::fchmod(fd_, mode_) != 0) error = errno;
  if (::close(fd_) != 0 && error == 0) error = errno;
  fd_ = -1;
  if (error == 0 && ::rename(temporary_.c_str(), target_.c_str()) != 0) {
    error = errno;
  }
  if (error == 0) temporary_.clear();
  Abandon();
  if (error != 0) throw SystemError(error);
}

void ReplacementFile::Abandon() {
  finished_ = true;
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
}

}  // namespace orvanta
