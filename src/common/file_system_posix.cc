// The real file system on POSIX: status and listings through stat and
// readdir, whole-file reads, kernel-side copies, folders,
// temporary files and the person's places.
#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "common/error.h"
#include "common/file_system.h"
#include "common/posix_io.h"
#include "common/replacement_file.h"
#include "common/text_files.h"

namespace orvanta {

// Opened without waiting (a FIFO would block until a writer came), then
// refused unless it is a regular file.
int OpenForReading(const std::string& path, struct stat* status) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) throw SystemError(errno);
  if (::fstat(fd, status) != 0) {
    const int error = errno;
    ::close(fd);
    throw SystemError(error);
  }
  if (!S_ISREG(status->st_mode)) {
    ::close(fd);
    if (S_ISDIR(status->st_mode)) throw SystemError(EISDIR);
    throw Error(path + ": not a regular file, left alone",
                ErrorKind::kNotRegularFile);
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

FileStatus PosixFileSystem::Status(const std::string& path) {
  FileStatus result;
  struct stat status;
  if (path.empty() || ::stat(path.c_str(), &status) != 0) return result;
  result.is_file = S_ISREG(status.st_mode);
  result.is_folder = S_ISDIR(status.st_mode);
  result.size = static_cast<uint64_t>(status.st_size);
  result.modified_ns =
      static_cast<int64_t>(status.st_mtim.tv_sec) * 1000000000 +
      status.st_mtim.tv_nsec;
  return result;
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

// realpath() for what exists; the missing rest is added step by step.
std::string PosixFileSystem::ResolvePath(const std::string& path) {
  std::string absolute = path;
  if (absolute.empty() || absolute[0] != '/') {
    char* here = ::getcwd(nullptr, 0);
    absolute = std::string(here != nullptr ? here : "/") + "/" + absolute;
    std::free(here);
  }
  while (absolute.size() > 1 && absolute.back() == '/') absolute.pop_back();
  if (char* real = ::realpath(absolute.c_str(), nullptr)) {
    std::string resolved = real;
    std::free(real);
    return resolved;
  }
  const size_t slash = absolute.rfind('/');
  const std::string last = absolute.substr(slash + 1);
  std::string parent =
      ResolvePath(slash == 0 ? "/" : absolute.substr(0, slash));
  if (last.empty() || last == ".") return parent;
  if (last == "..") {
    const size_t up = parent.rfind('/');
    return up == 0 ? "/" : parent.substr(0, up);
  }
  return (parent == "/" ? "" : parent) + "/" + last;
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
    // The entry's type as the folder gives it saves a call per file; a
    // file system that does not tell (DT_UNKNOWN) is asked.
    struct stat status;
    if (item->d_type == DT_REG || item->d_type == DT_DIR) {
      status.st_mode = item->d_type == DT_REG ? S_IFREG : S_IFDIR;
    } else if (::fstatat(folder_fd, name.c_str(), &status,
                         AT_SYMLINK_NOFOLLOW) != 0) {
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
  return NewTextReader(ReadFile(path, kWholeFile, nullptr));
}

std::string PosixFileSystem::ReadFile(const std::string& path, size_t limit,
                                      bool* whole) {
  struct stat status;
  FileDescriptor fd(OpenForReading(path, &status));
  std::string bytes;
  bool at_end = false;
  if (S_ISREG(status.st_mode) && status.st_size > 0) {
    // A file's size says how much there is: read straight into the text,
    // and a file shorter than the limit is whole once that much is read.
    // (Files that say 0, as some in /proc do, are read to their end.)
    const size_t size = static_cast<size_t>(status.st_size);
    bytes.resize(std::min(limit, size));
    size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n =
          ::read(fd.get(), bytes.data() + done, bytes.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) throw SystemError(errno);
      if (n == 0) break;  // shorter now than when it was opened
      done += static_cast<size_t>(n);
    }
    if (whole != nullptr) *whole = done < bytes.size() || size < limit;
    bytes.resize(done);
    return bytes;
  }
  char buffer[kBufferSize];
  while (bytes.size() < limit) {
    const ssize_t n =
        ::read(fd.get(), buffer, std::min(sizeof buffer, limit - bytes.size()));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw SystemError(errno);
    if (n == 0) {
      at_end = true;
      break;
    }
    bytes.append(buffer, static_cast<size_t>(n));
  }
  if (whole != nullptr) *whole = at_end;
  return bytes;
}

// The folder is checked at once (a ReplacementFile); the text is stored on
// Close(), except that a file holding exactly that text is left untouched,
// time stamps too, so making an unchanged gallery again writes nothing.
std::unique_ptr<TextWriter> PosixFileSystem::CreateTextFile(
    const std::string& path) {
  auto file = std::make_shared<ReplacementFile>(path);
  return NewTextWriter([file](const std::string& text) {
    if (file->Holds(text)) {
      file->Abandon();
    } else {
      file->Commit(text);
    }
  });
}

void PosixFileSystem::WriteFile(const std::string& path,
                                std::string_view bytes) {
  ReplacementFile file(path);
  file.Commit(bytes);
}

void PosixFileSystem::WriteFileMadeBy(
    const std::string& path,
    const std::function<void(const std::string& made)>& make) {
  ReplacementFile file(path);
  file.CommitMade(make);
}

// Through a replacement: a failed copy leaves the target as it was, and a
// link at the target is replaced, never written through.
void PosixFileSystem::CopyFile(const std::string& from, const std::string& to) {
  struct stat source_status;
  FileDescriptor source(OpenForReading(from, &source_status));
  struct stat target_status;
  if (::stat(to.c_str(), &target_status) == 0 &&
      target_status.st_dev == source_status.st_dev &&
      target_status.st_ino == source_status.st_ino) {
    throw Error("File cannot be copied onto itself");
  }
  ReplacementFile target(to);
  target.CommitWith(
      [&source](int fd) { return CopyContents(source.get(), fd); });
}

void PosixFileSystem::RemoveFile(const std::string& path) {
  if (::unlink(path.c_str()) != 0 && errno != ENOENT) throw SystemError(errno);
}

bool PosixFileSystem::RemoveFolder(const std::string& path) {
  if (::rmdir(path.c_str()) == 0) return true;
  if (errno == ENOTEMPTY || errno == EEXIST || errno == ENOENT) return false;
  throw SystemError(errno);
}

void PosixFileSystem::MakeFolders(const std::string& path) {
  std::error_code error;
  std::filesystem::create_directories(path, error);
  if (error) throw SystemError(error.value());
}

// In $TMPDIR, else /tmp.
std::string PosixFileSystem::MakeTemporaryFile(std::string_view extension) {
  const char* folder = std::getenv("TMPDIR");
  std::string path =
      std::string(folder != nullptr && *folder != '\0' ? folder : "/tmp") +
      "/orvanta-XXXXXX." + std::string(extension);
  const int fd = ::mkostemps(path.data(),
                             static_cast<int>(extension.size()) + 1, O_CLOEXEC);
  if (fd < 0) throw SystemError(errno);
  ::close(fd);
  return path;
}

// $HOME, or the password database's entry when it is unset.
std::string PosixFileSystem::HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && *home != '\0') return home;
  const struct passwd* entry = ::getpwuid(::getuid());
  return entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "";
}

// $XDG_CONFIG_HOME when it is an absolute path, else ~/.config.
std::string PosixFileSystem::ConfigFolder() {
  const char* config_home = std::getenv("XDG_CONFIG_HOME");
  if (config_home != nullptr && config_home[0] == '/') return config_home;
  const std::string home = HomeFolder();
  return home.empty() ? "" : home + "/.config";
}

std::tm PosixFileSystem::LocalTime() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  return local;
}

int64_t PosixFileSystem::Now() {
  struct timespec now;
  ::clock_gettime(CLOCK_REALTIME, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

}  // namespace orvanta
