// A file system in memory for the tests, as LevelDB's MemEnv is for its
// Env: files and folders in a map, a clock that stands still, and any call
// made to fail on cue with the system's own error (no space, permission
// denied), or a test's hook run before a call (to make a file vanish
// between the listing and the reading). Safe for the thumbnail workers,
// which use it from several threads at once. Paths are absolute, with "/".
#ifndef ORVANTA_TESTING_MEM_FILE_SYSTEM_H_
#define ORVANTA_TESTING_MEM_FILE_SYSTEM_H_

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "common/file_system.h"

namespace orvanta::testing {

class MemFileSystem : public FileSystem {
 public:
  enum class Op { kList, kRead, kWrite, kCopy, kRemove, kMakeFolders };

  MemFileSystem();

  // --- Setting up and looking. AddFile makes the folders above the file.
  void AddFile(const std::string& path, std::string_view bytes);
  void AddFolder(const std::string& path);
  // A FIFO: neither file nor folder; never read or written.
  void AddFifo(const std::string& path);
  bool Has(const std::string& path);
  // The file's bytes; "" when there is none.
  std::string Contents(const std::string& path);

  // --- Faults. Calls of `op` on a path holding `part` fail with the
  // system error `error_number`, the next `times` of them (-1: all). A
  // write fails where a real one would: permission and missing folders
  // when the file is opened, the rest when it is stored.
  void FailOn(Op op, std::string part, int error_number, int times = -1);
  // Runs before every call with its operation and path.
  std::function<void(Op, const std::string&)> before;

  std::tm now = {};  // what LocalTime() answers
  std::string home = "/home/tester";
  std::string config;  // what ConfigFolder() answers

  // --- FileSystem.
  FileStatus Status(const std::string& path) override;
  bool IsRootFolder(const std::string& path) override;
  // No links here: "." and ".." resolved by the letter.
  std::string ResolvePath(const std::string& path) override;
  std::vector<FolderEntry> ListFolder(const std::string& path) override;
  std::unique_ptr<TextReader> OpenTextFile(const std::string& path) override;
  std::string ReadFile(const std::string& path, size_t limit,
                       bool* whole) override;
  std::unique_ptr<TextWriter> CreateTextFile(const std::string& path) override;
  void WriteFile(const std::string& path, std::string_view bytes) override;
  void WriteFileMadeBy(
      const std::string& path,
      const std::function<void(const std::string& made)>& make) override;
  void CopyFile(const std::string& from, const std::string& to) override;
  void RemoveFile(const std::string& path) override;
  bool RemoveFolder(const std::string& path) override;
  void MakeFolders(const std::string& path) override;
  std::string MakeTemporaryFile(std::string_view extension) override;
  std::string HomeFolder() override { return home; }
  std::string ConfigFolder() override { return config; }
  std::tm LocalTime() override { return now; }
  int64_t Now() override { return clock_; }

 private:
  struct Node {
    bool folder = false;
    bool fifo = false;
    std::string bytes;
    int64_t modified = 0;
  };
  struct Fault {
    Op op;
    std::string part;
    int error_number;
    int times;
  };

  // Runs the hook, then throws the error of a fault that matches. With
  // `opening`, only the faults an opening meets (permission, no folder).
  void Check(Op op, const std::string& path, bool opening = false);
  // The node at `path`, or null.
  Node* Find(const std::string& path);
  // Throws unless the folder above `path` exists.
  void NeedParent(const std::string& path);
  // Throws kNotRegularFile when `path` is a FIFO, as the real one does.
  void RefuseFifo(const std::string& path);
  // Stores the bytes of a file written. Throws Error.
  void Store(const std::string& path, std::string_view bytes);

  std::recursive_mutex mutex_;
  std::map<std::string, Node> nodes_;  // by normalised path
  std::vector<Fault> faults_;
  int64_t clock_ = 1;
  int temporaries_ = 0;
};

}  // namespace orvanta::testing

#endif  // ORVANTA_TESTING_MEM_FILE_SYSTEM_H_
