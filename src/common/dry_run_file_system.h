// A file system for a dry run: it reads through to another one, but
// every write, copy, removal and new folder stays in memory, where the
// reads that follow see it. Nothing reaches the disk, so a run over it
// writes nothing at all, whatever it does. Safe from several threads at
// once, as the FileSystem contract asks.
#ifndef ORVANTA_COMMON_DRY_RUN_FILE_SYSTEM_H_
#define ORVANTA_COMMON_DRY_RUN_FILE_SYSTEM_H_

#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "common/file_system.h"

namespace orvanta {

class DryRunFileSystem : public FileSystem {
 public:
  explicit DryRunFileSystem(FileSystem& real) : real_(real) {}

  // Whether what was written at `path` differs from the file there on
  // disk (a real run leaves a file that holds the same text untouched).
  bool Changes(const std::string& path);

  FileStatus Status(const std::string& path) override;
  bool IsRootFolder(const std::string& path) override {
    return real_.IsRootFolder(path);
  }
  std::string ResolvePath(const std::string& path) override {
    return real_.ResolvePath(path);
  }
  std::vector<FolderEntry> ListFolder(const std::string& path) override;
  std::unique_ptr<TextReader> OpenTextFile(const std::string& path) override;
  std::string ReadFile(const std::string& path, size_t limit,
                       bool* whole) override;
  std::string ReadFileAt(const std::string& path, uint64_t offset,
                         size_t limit) override;
  std::unique_ptr<TextWriter> CreateTextFile(const std::string& path) override;
  void WriteFile(const std::string& path, std::string_view bytes) override;
  // Runs nothing: the file is only noted as written (empty).
  void WriteFileMadeBy(
      const std::string& path,
      const std::function<void(const std::string& made)>& make) override;
  void CopyFile(const std::string& from, const std::string& to) override;
  void RemoveFile(const std::string& path) override;
  bool RemoveFolder(const std::string& path) override;
  void MakeFolders(const std::string& path) override;
  // A temporary file is the system's, outside anything a run makes.
  std::string MakeTemporaryFile(std::string_view extension) override {
    return real_.MakeTemporaryFile(extension);
  }
  std::string HomeFolder() override { return real_.HomeFolder(); }
  std::string ConfigFolder() override { return real_.ConfigFolder(); }
  std::tm LocalTime() override { return real_.LocalTime(); }
  int64_t Now() override { return real_.Now(); }

 private:
  // Throws as a real write would where the folder is missing or the
  // target is a folder.
  void CheckWritable(const std::string& path);
  void Store(const std::string& path, std::string bytes);

  FileSystem& real_;
  std::recursive_mutex mutex_;
  // Files written (their bytes) or removed (nothing), by path.
  std::map<std::string, std::optional<std::string>> files_;
  std::set<std::string> folders_;          // made
  std::set<std::string> removed_folders_;  // removed
  std::set<std::string> unchanged_;        // written as they are on disk
};

}  // namespace orvanta

#endif  // ORVANTA_COMMON_DRY_RUN_FILE_SYSTEM_H_
