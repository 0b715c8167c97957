// The real file system's reads from an offset and writes in parts: a
// large file passes through a buffer of the caller's size, never whole.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/error.h"
#include "common/file_system.h"
#include "common/posix_io.h"
#include "common/replacement_file.h"

namespace orvanta {
namespace {

// The sink of a replacement file's descriptor.
class DescriptorSink : public ByteSink {
 public:
  explicit DescriptorSink(int fd) : fd_(fd) {}
  void Write(std::string_view bytes) override {
    const int error = WriteAll(fd_, bytes.data(), bytes.size());
    if (error != 0) throw SystemError(error);
    written_ += bytes.size();
  }
  void Patch(uint64_t offset, std::string_view bytes) override {
    if (offset > written_ || bytes.size() > written_ - offset) {
      throw Error("Patch beyond the end of the file");
    }
    size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = ::pwrite(fd_, bytes.data() + done, bytes.size() - done,
                                 static_cast<off_t>(offset + done));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) throw SystemError(errno);
      done += static_cast<size_t>(n);
    }
  }
  void AppendFileFrom(const std::string& path, uint64_t offset) override {
    struct stat status;
    FileDescriptor from(OpenForReading(path, &status));
    if (::lseek(from.get(), static_cast<off_t>(offset), SEEK_SET) < 0) {
      throw SystemError(errno);
    }
    const int error = CopyContents(from.get(), fd_);
    if (error != 0) throw SystemError(error);
    const off_t end = ::lseek(fd_, 0, SEEK_CUR);
    if (end < 0) throw SystemError(errno);
    written_ = static_cast<uint64_t>(end);
  }

 private:
  int fd_;
  uint64_t written_ = 0;
};

}  // namespace

std::string PosixFileSystem::ReadFileAt(const std::string& path,
                                        uint64_t offset, size_t limit) {
  struct stat status;
  FileDescriptor fd(OpenForReading(path, &status));
  const uint64_t size = static_cast<uint64_t>(status.st_size);
  if (!S_ISREG(status.st_mode))
    return FileSystem::ReadFileAt(path, offset, limit);
  if (offset >= size) return "";
  std::string bytes(std::min<uint64_t>(limit, size - offset), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n =
        ::pread(fd.get(), bytes.data() + done, bytes.size() - done,
                static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw SystemError(errno);
    if (n == 0) break;  // shorter now than when it was opened
    done += static_cast<size_t>(n);
  }
  bytes.resize(done);
  return bytes;
}

void PosixFileSystem::WriteFileWith(
    const std::string& path, const std::function<void(ByteSink&)>& fill) {
  ReplacementFile file(path);
  file.CommitWith([&fill](int fd) {
    DescriptorSink sink(fd);
    fill(sink);
    return 0;
  });
}

}  // namespace orvanta
