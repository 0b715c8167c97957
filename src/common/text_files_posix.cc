// The text files of the POSIX file system: buffered line reading, and a
// writer that stores the whole text when closed, or nothing, and leaves a
// file that already holds it untouched.
#include <fcntl.h>

#include <algorithm>
#include <cstring>

#include "common/error.h"
#include "common/posix_io.h"
#include "common/replacement_file.h"

namespace orvanta {
namespace {

class PosixTextReader : public TextReader {
 public:
  explicit PosixTextReader(int fd) : fd_(fd) {}

  // A UTF-8 byte-order mark at the start of the file is not text.
  bool ReadLine(std::string* line) override {
    if (!ReadRawLine(line)) return false;
    if (first_line_ && line->starts_with("\xEF\xBB\xBF")) line->erase(0, 3);
    first_line_ = false;
    return true;
  }

 private:
  // A line ends at LF; a CR right before the LF is dropped with it. The
  // last line counts even without a line break.
  bool ReadRawLine(std::string* line) {
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
  bool first_line_ = true;
};

// Collects the whole text and stores it when closed, whole or not at all
// (a replacement file). A file that already holds exactly these bytes is
// left untouched, time stamps too, so making an unchanged gallery again
// writes nothing. A writer dropped without Close() stores nothing.
class PosixTextWriter : public TextWriter {
 public:
  explicit PosixTextWriter(const std::string& path) : file_(path) {}

  void WriteLine(std::string_view line) override {
    if (closed_) throw Error("File already closed");
    text_.append(line);
    text_.append("\r\n");
  }

  void Close() override {
    if (closed_) return;
    closed_ = true;
    if (file_.Holds(text_)) {
      file_.Abandon();
    } else {
      file_.Commit(text_);
    }
    text_ = std::string();
  }

  void Discard() override {
    closed_ = true;
    file_.Abandon();
    text_ = std::string();
  }

 private:
  ReplacementFile file_;
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

std::unique_ptr<TextWriter> NewTextWriter(const std::string& path) {
  return std::make_unique<PosixTextWriter>(path);
}

}  // namespace orvanta
