// An in-memory file system for fuzz targets that read and write many small
// files per input: the files are strings in a map, lines are read the way
// the real file system reads them (a line ends at LF or CR LF, the last
// line counts without a line break) and written with CR LF.
#ifndef ORVANTA_FUZZ_MEMORY_FILE_SYSTEM_H_
#define ORVANTA_FUZZ_MEMORY_FILE_SYSTEM_H_

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/file_system.h"

namespace orvanta::fuzz {

class MemoryFileSystem : public FileSystem {
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

  std::map<std::string, std::string> files;
};

}  // namespace orvanta::fuzz

#endif  // ORVANTA_FUZZ_MEMORY_FILE_SYSTEM_H_
