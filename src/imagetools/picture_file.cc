// Whole-file reads and atomic replacement of picture files with POSIX calls.
#include "imagetools/picture_file.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

#include "common/error.h"

namespace orvanta {
namespace {

// An Error(kGeneral) "<what> <path>: <system reason>".
Error FileError(const char* what, const std::string& path, int error_number) {
  return Error(std::string(what) + " " + path + ": " +
                   std::string(strerror(error_number)),
               ErrorKind::kGeneral);
}

// Closes a descriptor when it goes out of scope.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  // Closes now; returns 0 or the errno of a failed close.
  int Close() {
    int result = close(fd_) == 0 ? 0 : errno;
    fd_ = -1;
    return result;
  }

 private:
  int fd_;
};

// Writes all of `bytes`; returns 0 or the errno of the failed write.
int WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    done += static_cast<size_t>(n);
  }
  return 0;
}

}  // namespace

std::string ReadPictureFile(const std::string& path) {
  bool whole = false;
  return ReadPictureFileStart(path, std::string::npos, &whole);
}

std::unique_ptr<char[]> ReadPictureBytes(const std::string& path,
                                         size_t* length) {
  FileDescriptor fd(open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) throw FileError("Cannot open", path, errno);
  struct stat info;
  if (fstat(fd.get(), &info) != 0) throw FileError("Cannot read", path, errno);
  if (S_ISDIR(info.st_mode)) throw FileError("Cannot read", path, EISDIR);
  if (S_ISREG(info.st_mode)) {
    // One more byte than the size tells whether the file grew meanwhile.
    const size_t size = static_cast<size_t>(info.st_size);
    auto buffer = std::make_unique_for_overwrite<char[]>(size + 1);
    size_t done = 0;
    while (done <= size) {
      ssize_t n = read(fd.get(), buffer.get() + done, size + 1 - done);
      if (n < 0) {
        if (errno == EINTR) continue;
        throw FileError("Cannot read", path, errno);
      }
      if (n == 0) break;
      done += static_cast<size_t>(n);
    }
    if (done <= size) {
      *length = done;
      return buffer;
    }
  }
  // Not a plain file, or one that is still growing: read it as it comes.
  std::string bytes = ReadPictureFile(path);
  auto buffer = std::make_unique_for_overwrite<char[]>(bytes.size() + 1);
  std::memcpy(buffer.get(), bytes.data(), bytes.size());
  *length = bytes.size();
  return buffer;
}

std::string ReadPictureFileStart(const std::string& path, size_t limit,
                                 bool* whole) {
  FileDescriptor fd(open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) throw FileError("Cannot open", path, errno);
  struct stat info;
  if (fstat(fd.get(), &info) != 0) throw FileError("Cannot read", path, errno);
  if (S_ISDIR(info.st_mode)) throw FileError("Cannot read", path, EISDIR);
  std::string bytes;
  if (S_ISREG(info.st_mode)) {
    bytes.reserve(std::min(limit, static_cast<size_t>(info.st_size)));
  }
  *whole = false;
  char buffer[65536];
  while (bytes.size() < limit) {
    ssize_t n =
        read(fd.get(), buffer, std::min(sizeof(buffer), limit - bytes.size()));
    if (n < 0) {
      if (errno == EINTR) continue;
      throw FileError("Cannot read", path, errno);
    }
    if (n == 0) {
      *whole = true;
      break;
    }
    bytes.append(buffer, static_cast<size_t>(n));
  }
  return bytes;
}

namespace {

// The process's umask, read once (reading it means setting it briefly).
mode_t ProcessUmask() {
  static const mode_t mask = [] {
    mode_t old = umask(022);
    umask(old);
    return old;
  }();
  return mask;
}

// Writes `bytes` to a temporary file beside `target` with `mode` and renames
// it over `target`. Throws Error naming `path`.
void WriteThroughTemporary(const std::string& path, const std::string& target,
                           mode_t mode, const std::string& bytes) {
  size_t slash = target.rfind('/');
  std::string folder =
      slash == std::string::npos ? "" : target.substr(0, slash + 1);
  std::string name =
      slash == std::string::npos ? target : target.substr(slash + 1);
  std::string temp = folder + "." + name + ".orvanta-XXXXXX";
  FileDescriptor fd(mkostemp(temp.data(), O_CLOEXEC));
  if (fd.get() < 0) throw FileError("Cannot write", path, errno);

  int error = 0;
  if (fchmod(fd.get(), mode & 07777) != 0) error = errno;
  if (error == 0) error = WriteAll(fd.get(), bytes);
  int close_error = fd.Close();
  if (error == 0) error = close_error;
  if (error == 0 && rename(temp.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) {
    unlink(temp.c_str());
    throw FileError("Cannot write", path, error);
  }
}

}  // namespace

void WritePictureFile(const std::string& path, const std::string& bytes) {
  struct stat info;
  if (lstat(path.c_str(), &info) == 0) {
    ReplacePictureFile(path, bytes);
    return;
  }
  if (errno != ENOENT) throw FileError("Cannot write", path, errno);
  WriteThroughTemporary(path, path, 0666 & ~ProcessUmask(), bytes);
}

void ReplacePictureFile(const std::string& path, const std::string& bytes) {
  // Write where a symbolic link points, so the link stays a link.
  std::string target = path;
  struct stat info;
  if (lstat(path.c_str(), &info) != 0) {
    throw FileError("Cannot write", path, errno);
  }
  if (S_ISLNK(info.st_mode)) {
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved) == nullptr) {
      throw FileError("Cannot write", path, errno);
    }
    target = resolved;
    if (stat(target.c_str(), &info) != 0) {
      throw FileError("Cannot write", path, errno);
    }
  }
  WriteThroughTemporary(path, target, info.st_mode, bytes);
}

}  // namespace orvanta
