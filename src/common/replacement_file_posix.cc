// Whole-file replacement through a temporary file and a rename.
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

#include "common/error.h"
#include "common/posix_io.h"
#include "common/replacement_file.h"

namespace orvanta {
namespace {

// The process's umask, read once (reading it means setting it briefly).
mode_t ProcessUmask() {
  static const mode_t mask = [] {
    mode_t old = ::umask(022);
    ::umask(old);
    return old;
  }();
  return mask;
}

}  // namespace

ReplacementFile::ReplacementFile(const std::string& path) : target_(path) {
  struct stat status;
  int found = ::lstat(path.c_str(), &status);
  if (found == 0 && S_ISLNK(status.st_mode)) {
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr) {
      throw SystemError(errno);
    }
    target_ = resolved;
    found = ::stat(target_.c_str(), &status);
  }
  if (found == 0) {
    existed_ = true;
    mode_ = status.st_mode & 07777;
    if (!S_ISREG(status.st_mode)) {  // a device: written in place
      in_place_ = true;
      fd_ = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC);
      if (fd_ < 0) throw SystemError(errno);
      return;
    }
  } else if (errno != ENOENT) {
    throw SystemError(errno);
  } else {
    mode_ = 0666 & ~ProcessUmask();
  }
  const size_t slash = target_.rfind('/');
  const std::string folder =
      slash == std::string::npos ? "." : target_.substr(0, slash + 1);
  if (::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0) {
    throw SystemError(errno);
  }
}

ReplacementFile::~ReplacementFile() { Abandon(); }

bool ReplacementFile::Holds(std::string_view bytes) const {
  if (!existed_ || in_place_) return false;
  FileDescriptor fd(::open(target_.c_str(), O_RDONLY | O_CLOEXEC));
  struct stat status;
  if (fd.get() < 0 || ::fstat(fd.get(), &status) != 0 ||
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
  if (finished_) throw Error("File already closed");
  finished_ = true;
  if (!in_place_) {
    const size_t slash = target_.rfind('/');
    const size_t name = slash == std::string::npos ? 0 : slash + 1;
    temporary_ = target_.substr(0, name) + "." + target_.substr(name) +
                 ".orvanta-XXXXXX";
    fd_ = ::mkostemp(temporary_.data(), O_CLOEXEC);
    if (fd_ < 0) {
      const int error = errno;
      temporary_.clear();
      throw SystemError(error);
    }
  }
  int error = WriteAll(fd_, bytes.data(), bytes.size());
  if (error == 0 && !in_place_ && ::fchmod(fd_, mode_) != 0) error = errno;
  if (::close(fd_) != 0 && error == 0) error = errno;
  fd_ = -1;
  if (error == 0 && !in_place_ &&
      ::rename(temporary_.c_str(), target_.c_str()) != 0) {
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
