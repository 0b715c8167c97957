// Whole-file reads of pictures, and thumbnails written whole.
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
#include "common/posix_io.h"
#include "common/replacement_file.h"

namespace orvanta {
namespace {

// The error of a picture file that cannot be read: the caller names the
// file.
Error ReadError(int error_number) {
  return Error(std::string("the file cannot be read (") +
                   std::strerror(error_number) + ")",
               ErrorKind::kGeneral);
}

}  // namespace

std::string ReadPictureFile(const std::string& path) {
  bool whole = false;
  return ReadPictureFileStart(path, std::string::npos, &whole);
}

std::unique_ptr<char[]> ReadPictureBytes(const std::string& path,
                                         size_t* length) {
  FileDescriptor fd(open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) throw ReadError(errno);
  struct stat info;
  if (fstat(fd.get(), &info) != 0) throw ReadError(errno);
  if (S_ISDIR(info.st_mode)) throw ReadError(EISDIR);
  if (S_ISREG(info.st_mode)) {
    // One more byte than the size tells whether the file grew meanwhile.
    const size_t size = static_cast<size_t>(info.st_size);
    auto buffer = std::make_unique_for_overwrite<char[]>(size + 1);
    size_t done = 0;
    while (done <= size) {
      ssize_t n = read(fd.get(), buffer.get() + done, size + 1 - done);
      if (n < 0) {
        if (errno == EINTR) continue;
        throw ReadError(errno);
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
  if (fd.get() < 0) throw ReadError(errno);
  struct stat info;
  if (fstat(fd.get(), &info) != 0) throw ReadError(errno);
  if (S_ISDIR(info.st_mode)) throw ReadError(EISDIR);
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
      throw ReadError(errno);
    }
    if (n == 0) {
      *whole = true;
      break;
    }
    bytes.append(buffer, static_cast<size_t>(n));
  }
  return bytes;
}

void WritePictureFile(const std::string& path, const std::string& bytes) {
  try {
    ReplacementFile file(path);
    file.Commit(bytes);
  } catch (const Error& e) {
    const size_t slash = path.rfind('/');
    throw Error("the thumbnail " + path.substr(slash + 1) +
                    " cannot be written (" + e.what() + ")",
                ErrorKind::kGeneral);
  }
}

}  // namespace orvanta
