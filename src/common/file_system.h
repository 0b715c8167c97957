// The program's one way to the operating system's files and places:
// existence tests, folder listings, line-oriented text files, whole-file
// reads and writes, copies, temporary files, the person's home and
// configuration folders, and the clock. PosixFileSystem is the real one;
// the engine, the image tools and the options code only ever see the
// interface, so tests can run them on a file system in memory that fails
// on cue. Every write replaces a file whole or not at all.
//
// Threads: the thumbnail workers and the metadata readers call Status,
// FileExists, ReadFile, WriteFile, WriteFileMadeBy, MakeTemporaryFile and
// RemoveFile on one
// FileSystem from several threads at once (on different files), so every
// implementation must allow those concurrently; the rest is called from
// the run's thread only. A TextReader or TextWriter belongs to one thread.
// PosixFileSystem keeps no state of its own: each call is its own system
// calls, safe from any thread, except HomeFolder and ConfigFolder, which
// may read the password database (getpwuid) and so belong to one thread.
#ifndef ORVANTA_COMMON_FILE_SYSTEM_H_
#define ORVANTA_COMMON_FILE_SYSTEM_H_

#include <cstdint>
#include <ctime>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/platform.h"

namespace orvanta {

struct FolderEntry {
  std::string name;        // name only, no folder
  bool is_file = false;    // a regular file (a link to a file counts)
  bool is_folder = false;  // a folder, not reached through a symbolic link
  bool is_link = false;    // the entry itself is a symbolic link
  bool is_hidden = false;  // hidden: on POSIX a name starting with "."
};

// What a path leads to, following symbolic links.
struct FileStatus {
  bool is_file = false;    // a regular file
  bool is_folder = false;  // a folder
  uint64_t size = 0;
  int64_t modified_ns = 0;  // last change of the contents, ns since 1970
};

// Reads a text file line by line. A line ends at LF or CR LF; the line
// break is not part of the line. A UTF-8 byte-order mark at the start of
// the file is skipped.
class TextReader {
 public:
  virtual ~TextReader() = default;
  // On success stores the next line and returns true; returns false at the
  // end of the file. Throws Error when reading fails.
  virtual bool ReadLine(std::string* line) = 0;
};

// Writes a text file line by line; every line ends with CR LF. The text is
// stored whole when the writer is closed, or not at all: a writer that is
// discarded, or dropped without being closed, leaves an old file as it was
// and makes no new one.
class TextWriter {
 public:
  virtual ~TextWriter() = default;
  // Appends `line` and CR LF. Throws Error when writing fails.
  virtual void WriteLine(std::string_view line) = 0;
  // Stores the text; a file that already holds exactly that text is left
  // untouched. Throws Error when it could not be stored (the old file
  // then stays). Further calls do nothing.
  virtual void Close() = 0;
  // Closes without storing anything.
  virtual void Discard() = 0;
};

// Where a file written in parts goes (FileSystem::WriteFileWith).
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // Appends `bytes`. Throws Error.
  virtual void Write(std::string_view bytes) = 0;
  // Writes `bytes` over those already written from `offset` on. Throws
  // Error.
  virtual void Patch(uint64_t offset, std::string_view bytes) = 0;
  // Appends the file at `path` from `offset` to its end (the real file
  // system copies it in the kernel). Throws Error.
  virtual void AppendFileFrom(const std::string& path, uint64_t offset) = 0;
};

inline constexpr size_t kWholeFile = std::numeric_limits<size_t>::max();

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // --- Looking. None of these throws.
  // What is at `path`; all false for nothing (or an empty path).
  virtual FileStatus Status(const std::string& path) = 0;
  bool FileExists(const std::string& path) { return Status(path).is_file; }
  bool FolderExists(const std::string& path) { return Status(path).is_folder; }
  // True when `path` names the root folder of its drive ("/" on POSIX).
  virtual bool IsRootFolder(const std::string& path) = 0;
  // `path` made absolute with its symbolic links, "." and ".." resolved,
  // as far as it exists; a part that does not exist yet is added as
  // written, its "." and ".." taken literally as steps. No trailing
  // separator (but for the root).
  virtual std::string ResolvePath(const std::string& path) = 0;

  // --- Reading. These throw Error (kFileNotFound when there is no such
  // file or folder) with the system's reason.
  // The entries of a folder in the order the system gives them, "." and
  // ".." left out.
  virtual std::vector<FolderEntry> ListFolder(const std::string& path) = 0;
  virtual std::unique_ptr<TextReader> OpenTextFile(const std::string& path) = 0;
  // At most `limit` bytes from the start of the file; *whole (when given)
  // tells whether that is all of it.
  virtual std::string ReadFile(const std::string& path,
                               size_t limit = kWholeFile,
                               bool* whole = nullptr) = 0;
  // At most `limit` bytes from `offset` on; "" past the end. Reads the
  // file from its start unless overridden (a file in memory).
  virtual std::string ReadFileAt(const std::string& path, uint64_t offset,
                                 size_t limit);

  // --- Writing. These throw Error with the system's reason (no such
  // folder, permission, no space); a file is then as it was.
  // Creates or replaces a text file; its text is stored on Close(). A
  // folder that cannot be written shows here already.
  virtual std::unique_ptr<TextWriter> CreateTextFile(
      const std::string& path) = 0;
  // Creates or replaces the file at `path` with `bytes`.
  virtual void WriteFile(const std::string& path, std::string_view bytes) = 0;
  // Creates or replaces the file at `path` with what `make` (another
  // program) writes into the file at the path it is given: a new, empty,
  // hidden file beside `path`. When `make` throws, that file is removed
  // and `path` stays as it was.
  virtual void WriteFileMadeBy(
      const std::string& path,
      const std::function<void(const std::string& made)>& make) = 0;
  // Creates or replaces the file at `path` with what `fill` writes into
  // the sink, whole or not at all: when `fill` throws, the file is as it
  // was. Kept in memory and written at once unless overridden.
  virtual void WriteFileWith(const std::string& path,
                             const std::function<void(ByteSink&)>& fill);
  // Copies a file, replacing `to`; a file is never copied onto itself.
  virtual void CopyFile(const std::string& from, const std::string& to) = 0;
  // Removes a file; a missing file is not an error.
  virtual void RemoveFile(const std::string& path) = 0;
  // Removes an empty folder; false (and nothing done) when it is not
  // empty or not there. Throws Error for other reasons.
  virtual bool RemoveFolder(const std::string& path) = 0;
  // Makes a folder and the folders above it that are missing.
  virtual void MakeFolders(const std::string& path) = 0;
  // Makes a new empty file in the system's folder for temporary files,
  // its name ending in "." + extension, and returns its path. The caller
  // removes it.
  virtual std::string MakeTemporaryFile(std::string_view extension) = 0;

  // --- The person's places and the clock.
  // The home folder; empty when there is none.
  virtual std::string HomeFolder() = 0;
  // The folder of the person's program settings ($XDG_CONFIG_HOME or
  // ~/.config on Linux); empty where the system has none.
  virtual std::string ConfigFolder() = 0;
  // The local date and time now.
  virtual std::tm LocalTime() = 0;
  // The time now, in ns since 1970 (as FileStatus::modified_ns).
  virtual int64_t Now() = 0;
};

// The real file system of this machine.
class PosixFileSystem : public FileSystem {
 public:
  FileStatus Status(const std::string& path) override;
  bool IsRootFolder(const std::string& path) override;
  std::string ResolvePath(const std::string& path) override;
  std::vector<FolderEntry> ListFolder(const std::string& path) override;
  std::unique_ptr<TextReader> OpenTextFile(const std::string& path) override;
  std::string ReadFile(const std::string& path, size_t limit,
                       bool* whole) override;
  std::string ReadFileAt(const std::string& path, uint64_t offset,
                         size_t limit) override;
  std::unique_ptr<TextWriter> CreateTextFile(const std::string& path) override;
  void WriteFile(const std::string& path, std::string_view bytes) override;
  void WriteFileMadeBy(
      const std::string& path,
      const std::function<void(const std::string& made)>& make) override;
  void WriteFileWith(const std::string& path,
                     const std::function<void(ByteSink&)>& fill) override;
  void CopyFile(const std::string& from, const std::string& to) override;
  void RemoveFile(const std::string& path) override;
  bool RemoveFolder(const std::string& path) override;
  void MakeFolders(const std::string& path) override;
  std::string MakeTemporaryFile(std::string_view extension) override;
  std::string HomeFolder() override;
  std::string ConfigFolder() override;
  std::tm LocalTime() override;
  int64_t Now() override;
};

}  // namespace orvanta

#endif  // ORVANTA_COMMON_FILE_SYSTEM_H_
