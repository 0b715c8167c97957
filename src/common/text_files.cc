// The text files of the POSIX file system: buffered line reading, and a
// writer that stores the whole text when closed and leaves a file that
// already holds it untouched.
#include <fcntl.h>

#include <algorithm>
#include <cstring>

#include "common/error.h"
#include "common/posix_io.h"

namespace orvanta {
namespace {

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

}  // namespace

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

std::unique_ptr<TextReader> NewTextReader(int fd) {
  return std::make_unique<PosixTextReader>(fd);
}

std::unique_ptr<TextWriter> NewTextWriter(int fd) {
  return std::make_unique<PosixTextWriter>(fd);
}

}  // namespace orvanta
