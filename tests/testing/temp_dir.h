// Temporary folders for tests, removed with everything in them at the end,
// and small file helpers.
#ifndef ORVANTA_TESTING_TEMP_DIR_H_
#define ORVANTA_TESTING_TEMP_DIR_H_

#include <string>
#include <string_view>

namespace orvanta::testing {

class TempDir {
 public:
  TempDir();  // a fresh folder under $TMPDIR (or /tmp)
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The folder, without a trailing separator.
  const std::string& path() const { return path_; }
  // path() + "/" + relative.
  std::string Path(std::string_view relative) const;

 private:
  std::string path_;
};

// Writes `contents` to `path` byte for byte, creating missing folders.
void WriteFile(const std::string& path, std::string_view contents);
// The file's bytes; empty when it cannot be read.
std::string ReadFile(const std::string& path);
// Creates a folder and its missing parents.
void MakeFolders(const std::string& path);
bool PathExists(const std::string& path);

}  // namespace orvanta::testing

#endif  // ORVANTA_TESTING_TEMP_DIR_H_
