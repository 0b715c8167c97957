// The file system as the program sees it: existence tests, folder listings,
// line-oriented text files and copies. PosixFileSystem is the real one; the
// engine and the options code only ever see the interface.
#ifndef ORVANTA_COMMON_FILE_SYSTEM_H_
#define ORVANTA_COMMON_FILE_SYSTEM_H_

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orvanta {

// The native path separator.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

struct FolderEntry {
  std::string name;        // name only, no folder
  bool is_file = false;    // a regular file (a link to a file counts)
  bool is_folder = false;  // a folder, not reached through a symbolic link
  bool is_link = false;    // the entry itself is a symbolic link
  bool is_hidden = false;  // hidden: on POSIX a name starting with "."
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
  // Stores the text. Throws Error when it could not be stored (the old
  // file then stays). Further calls do nothing.
  virtual void Close() = 0;
  // Closes without storing anything.
  virtual void Discard() = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // True when a regular file exists at `path` (a folder does not count);
  // false for an empty path.
  virtual bool FileExists(const std::string& path) = 0;
  // True when a folder exists at `path`.
  virtual bool FolderExists(const std::string& path) = 0;
  // True when `path` names the root folder of its drive ("/" on POSIX).
  virtual bool IsRootFolder(const std::string& path) = 0;
  // The entries of a folder in the order the system gives them, "." and
  // ".." left out. Throws Error when the folder cannot be listed.
  virtual std::vector<FolderEntry> ListFolder(const std::string& path) = 0;
  // Opens a text file for reading. Throws Error (kFileNotFound when there
  // is no such file).
  virtual std::unique_ptr<TextReader> OpenTextFile(const std::string& path) = 0;
  // Creates or replaces a text file; its text is stored on Close(), and a
  // file that already holds exactly that text is left untouched. Throws
  // Error when the file cannot be written (no such folder, permission).
  virtual std::unique_ptr<TextWriter> CreateTextFile(
      const std::string& path) = 0;
  // Copies a file, replacing `to`. Throws Error (kFileNotFound when `from`
  // does not exist).
  virtual void CopyFile(const std::string& from, const std::string& to) = 0;
  // Renames `from` to `to`, replacing `to` at once. Throws Error.
  virtual void RenameFile(const std::string& from, const std::string& to) = 0;
  // Removes a file; a missing file is not an error. Throws Error.
  virtual void RemoveFile(const std::string& path) = 0;
  // The person's home folder; empty when there is none.
  virtual std::string HomeFolder() = 0;
};

// The real file system of this machine.
class PosixFileSystem : public FileSystem {
 public:
  bool FileExists(const std::string& path) override;
  bool FolderExists(const std::string& path) override;
  bool IsRootFolder(const std::string& path) override;
  std::vector<FolderEntry> ListFolder(const std::string& path) override;
  std::unique_ptr<TextReader> OpenTextFile(const std::string& path) override;
  std::unique_ptr<TextWriter> CreateTextFile(const std::string& path) override;
  void CopyFile(const std::string& from, const std::string& to) override;
  void RenameFile(const std::string& from, const std::string& to) override;
  void RemoveFile(const std::string& path) override;
  std::string HomeFolder() override;
};

}  // namespace orvanta

#endif  // ORVANTA_COMMON_FILE_SYSTEM_H_
