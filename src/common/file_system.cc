// The real file system on POSIX: listings through opendir/readdir, buffered
// line reading and writing on plain file descriptors, kernel-side copies.
#include "common/file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "common/error.h"

namespace orvanta {

namespace {

constexpr size_t kBufferSize = 64 * 1024;

// Closes a descriptor on scope exit unless released.
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
int OpenForReading(const std::string& path, struct stat* status) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw SystemError(errno);
  if (::fstat(fd, status) != 0 || S_ISDIR(status->st_mode)) {
    int error = S_ISDIR(status->st_mode) ? EISDIR : errno;
    ::close(fd);
    throw SystemError(error);
  }
  return fd;
}

// Writes all of `data`, retrying partial writes. Returns 0 or errno.
int WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    ssize_t written = ::write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    data += written;
    size -= static_cast<size_t>(written);
  }
  return 0;
}

class PosixTextReader : public TextReader {
 public:
  explicit PosixTextReader(int fd) : fd_(fd) {}

  // A line ends at LF; a CR right before the LF is dropped with it. The
  // last line counts even without a line break.
  bool ReadLine(std::string* line) override {
    line->clear();
    bool got_any = false;
    while (true) {
      if (position_ == buffer_.size()) {
        if (!Fill()) return got_any;
      }
      got_any = true;
      const char* start = buffer_.data() + position_;
      const void* newline =
          std::memchr(start, '\n', buffer_.size() - position_);
      if (newline == nullptr) {
        line->append(start, buffer_.size() - position_);
        position_ = buffer_.size();
        continue;
      }
      size_t length = static_cast<const char*>(newline) - start;
      line->append(start, length);
      position_ += length + 1;
      if (!line->empty() && line->back() == '\r') line->pop_back();
      return true;
    }
  }

 private:
  // Reads the next block; false at the end of the file. Throws Error.
  bool Fill() {
    buffer_.resize(kBufferSize);
    ssize_t got;
    do {
      got = ::read(fd_.get(), buffer_.data(), buffer_.size());
    } while (got < 0 && errno == EINTR);
    if (got < 0) throw SystemError(errno);
    buffer_.resize(static_cast<size_t>(got));
    position_ = 0;
    return got > 0;
  }

  FileDescriptor fd_;
  std::string buffer_;
  size_t position_ = 0;
};

// Collects the whole text and writes it when closed. A file that already
// holds exactly these bytes is left untouched (time stamps too), so making
// an unchanged gallery again writes nothing; otherwise the text is written
// over the old contents from the start and the file cut to its length
// (never truncated to zero first, which makes some file systems flush).
class PosixTextWriter : public TextWriter {
 public:
  explicit PosixTextWriter(int fd) : fd_(fd) {}
  ~PosixTextWriter() override {
    try {
      Close();
    } catch (const Error&) {
      // A destructor cannot report; callers that care call Close().
    }
  }

  void WriteLine(std::string_view line) override {
    if (closed_) throw Error("File already closed");
    text_.append(line);
    text_.append("\r\n");
  }

  void Close() override {
    if (closed_) return;
    closed_ = true;
    int error = Store();
    text_.clear();
    text_.shrink_to_fit();
    int close_error = fd_.Close();
    if (error == 0) error = close_error;
    if (error != 0) throw SystemError(error);
  }

 private:
  // Writes the text unless the file holds it already. Returns 0 or errno.
  int Store() {
    struct stat status;
    if (::fstat(fd_.get(), &status) != 0) return errno;
    if (!S_ISREG(status.st_mode)) {
      return WriteAll(fd_.get(), text_.data(), text_.size());
    }
    if (static_cast<size_t>(status.st_size) == text_.size() && HoldsText()) {
      return 0;
    }
    size_t done = 0;
    while (done < text_.size()) {
      ssize_t n = ::pwrite(fd_.get(), text_.data() + done, text_.size() - done,
                           static_cast<off_t>(done));
      if (n < 0) {
        if (errno == EINTR) continue;
        return errno;
      }
      done += static_cast<size_t>(n);
    }
    if (static_cast<size_t>(status.st_size) != text_.size() &&
        ::ftruncate(fd_.get(), static_cast<off_t>(text_.size())) != 0) {
      return errno;
    }
    return 0;
  }

  // True when the file's bytes equal the text (same size assumed).
  bool HoldsText() {
    char buffer[kBufferSize];
    size_t done = 0;
    while (done < text_.size()) {
      size_t want = std::min(sizeof buffer, text_.size() - done);
      ssize_t n = ::pread(fd_.get(), buffer, want, static_cast<off_t>(done));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      if (std::memcmp(buffer, text_.data() + done, static_cast<size_t>(n)) !=
          0) {
        return false;
      }
      done += static_cast<size_t>(n);
    }
    return true;
  }

  FileDescriptor fd_;
  std::string text_;
  bool closed_ = false;
};

// Copies the rest of `from` into `to` in the kernel where it can, falling
// back to sendfile and then to plain reads and writes. Returns 0 or errno.
int CopyContents(int from, int to) {
  bool kernel_copy = true;
  bool send_file = true;
  char buffer[kBufferSize];
  while (true) {
    ssize_t copied = -1;
    if (kernel_copy) {
      copied = ::copy_file_range(from, nullptr, to, nullptr, 1 << 30, 0);
      if (copied < 0 && errno != EINTR) {
        if (errno == ENOSPC || errno == EIO || errno == EDQUOT) return errno;
        kernel_copy = false;  // not supported here: try the next way
        continue;
      }
    } else if (send_file) {
      copied = ::sendfile(to, from, nullptr, 1 << 30);
      if (copied < 0 && errno != EINTR) {
        if (errno == ENOSPC || errno == EIO || errno == EDQUOT) return errno;
        send_file = false;
        continue;
      }
    } else {
      copied = ::read(from, buffer, sizeof buffer);
      if (copied > 0) {
        int error = WriteAll(to, buffer, static_cast<size_t>(copied));
        if (error != 0) return error;
      }
      if (copied < 0 && errno != EINTR) return errno;
    }
    if (copied == 0) return 0;
  }
}

}  // namespace

bool PosixFileSystem::FileExists(const std::string& path) {
  struct stat status;
  return !path.empty() && ::stat(path.c_str(), &status) == 0 &&
         S_ISREG(status.st_mode);
}

bool PosixFileSystem::FolderExists(const std::string& path) {
  struct stat status;
  return !path.empty() && ::stat(path.c_str(), &status) == 0 &&
         S_ISDIR(status.st_mode);
}

// Lexical: "/" and forms such as "//", "/.", "/a/.." are the root.
bool PosixFileSystem::IsRootFolder(const std::string& path) {
  if (path.empty() || path[0] != '/') return false;
  int depth = 0;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    std::string_view part(path.data() + start, end - start);
    if (part == "..") {
      depth = depth > 0 ? depth - 1 : 0;
    } else if (!part.empty() && part != ".") {
      ++depth;
    }
    start = end + 1;
  }
  return depth == 0;
}

std::vector<FolderEntry> PosixFileSystem::ListFolder(const std::string& path) {
  DIR* folder = ::opendir(path.c_str());
  if (folder == nullptr) throw SystemError(errno);
  std::vector<FolderEntry> entries;
  int folder_fd = ::dirfd(folder);
  while (true) {
    errno = 0;
    struct dirent* item = ::readdir(folder);
    if (item == nullptr) break;
    std::string name = item->d_name;
    if (name == "." || name == "..") continue;
    struct stat status;
    if (::fstatat(folder_fd, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
      continue;  // removed while we were listing
    }
    FolderEntry entry;
    entry.name = name;
    entry.is_hidden = name[0] == '.';
    entry.is_link = S_ISLNK(status.st_mode);
    if (entry.is_link) {
      struct stat target;
      entry.is_file = ::fstatat(folder_fd, name.c_str(), &target, 0) == 0 &&
                      S_ISREG(target.st_mode);
    } else {
      entry.is_file = S_ISREG(status.st_mode);
      entry.is_folder = S_ISDIR(status.st_mode);
    }
    entries.push_back(std::move(entry));
  }
  int error = errno;
  ::closedir(folder);
  if (error != 0) throw SystemError(error);
  return entries;
}

std::unique_ptr<TextReader> PosixFileSystem::OpenTextFile(
    const std::string& path) {
  struct stat status;
  return std::make_unique<PosixTextReader>(OpenForReading(path, &status));
}

std::unique_ptr<TextWriter> PosixFileSystem::CreateTextFile(
    const std::string& path) {
  // Read access lets the writer compare old and new contents; a file that
  // may only be written is opened for writing alone.
  int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0 && errno == EACCES) {
    fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
  }
  if (fd < 0) throw SystemError(errno);
  return std::make_unique<PosixTextWriter>(fd);
}

// A failed copy removes the incomplete target file.
void PosixFileSystem::CopyFile(const std::string& from, const std::string& to) {
  struct stat source_status;
  FileDescriptor source(OpenForReading(from, &source_status));
  FileDescriptor target(
      ::open(to.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666));
  if (target.get() < 0) throw SystemError(errno);
  struct stat target_status;
  if (::fstat(target.get(), &target_status) != 0) throw SystemError(errno);
  if (target_status.st_dev == source_status.st_dev &&
      target_status.st_ino == source_status.st_ino) {
    throw Error("File cannot be copied onto itself");
  }
  int error = ::ftruncate(target.get(), 0) == 0 ? 0 : errno;
  if (error == 0) error = CopyContents(source.get(), target.get());
  int close_error = target.Close();
  if (error == 0) error = close_error;
  if (error != 0) {
    // Only a regular file can hold a partial copy; never unlink a device.
    if (S_ISREG(target_status.st_mode)) ::unlink(to.c_str());
    throw SystemError(error);
  }
}

void PosixFileSystem::RenameFile(const std::string& from,
                                 const std::string& to) {
  if (::rename(from.c_str(), to.c_str()) != 0) throw SystemError(errno);
}

void PosixFileSystem::RemoveFile(const std::string& path) {
  if (::unlink(path.c_str()) != 0 && errno != ENOENT) throw SystemError(errno);
}

}  // namespace orvanta
