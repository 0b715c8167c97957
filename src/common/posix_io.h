// Plain POSIX file descriptors for the file system's sources: a descriptor
// that closes itself, whole writes and opening for reading.
#ifndef ORVANTA_COMMON_POSIX_IO_H_
#define ORVANTA_COMMON_POSIX_IO_H_

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <string>

namespace orvanta {

inline constexpr size_t kBufferSize = 64 * 1024;

// Closes a descriptor on scope exit unless closed before.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  // Closes now; returns the close error number, 0 on success.
  int Close() {
    int result = ::close(fd_) == 0 ? 0 : errno;
    fd_ = -1;
    return result;
  }

 private:
  int fd_;
};

// Opens `path` for reading and checks that it is not a folder. Throws
// Error (kFileNotFound when it does not exist).
int OpenForReading(const std::string& path, struct stat* status);

// Writes all of `data`, retrying partial writes. Returns 0 or errno.
int WriteAll(int fd, const char* data, size_t size);

// Copies the rest of `from` into `to` in the kernel where it can, falling
// back to sendfile and then to plain reads and writes. Returns 0 or errno.
int CopyContents(int from, int to);

}  // namespace orvanta

#endif  // ORVANTA_COMMON_POSIX_IO_H_
