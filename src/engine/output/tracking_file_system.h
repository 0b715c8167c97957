// The run's file system: it passes every call on to the one it wraps and
// notes each file written below the gallery's root (pages, thumbnails,
// copies, published originals, support files) with the size it has, and
// forgets a file removed. The record of written files is made from these
// notes. Safe from several threads at once, as the FileSystem contract
// asks.
#ifndef ORVANTA_ENGINE_OUTPUT_TRACKING_FILE_SYSTEM_H_
#define ORVANTA_ENGINE_OUTPUT_TRACKING_FILE_SYSTEM_H_

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "common/file_system.h"
#include "engine/output/written_record.h"

namespace orvanta {

// The files written below the root, by path below it ("/" between
// folders), with their sizes: those the earlier record names by their
// place in it, the others apart.
class WrittenFiles {
 public:
  bool Contains(std::string_view path) const;
  // Those the earlier record does not name first, then those it names, by
  // path.
  void ForEach(const std::function<void(std::string_view path, uint64_t size)>&
                   visit) const;

 private:
  friend class TrackingFileSystem;
  static constexpr uint64_t kNone = ~uint64_t{0};
  // Notes `path` as written at `size`, or as not written with kNone.
  void Set(std::string_view path, uint64_t size);
  // Its place among the lines the earlier record read; -1 when none.
  int KnownIndex(std::string_view path) const {
    return known_ != nullptr ? known_->IndexOf(path) : -1;
  }

  const WrittenRecord* known_ = nullptr;
  std::vector<uint64_t> known_sizes_;  // by line read; kNone: not written
  std::map<std::string, uint64_t, std::less<>> others_;
};

class TrackingFileSystem : public FileSystem {
 public:
  explicit TrackingFileSystem(FileSystem& inner) : inner_(inner) {}

  // Files are noted from now on below `root` (ending in the separator),
  // the files `known` names (the record found there, which must outlive
  // the notes and keep its lines) in little memory.
  void SetRoot(const std::string& root, const WrittenRecord& known);
  // The files written below the root so far; the notes start again.
  WrittenFiles TakeWritten();
  // The file system this one wraps: what is written through it is not
  // noted.
  FileSystem& inner() { return inner_; }

  FileStatus Status(const std::string& path) override {
    return inner_.Status(path);
  }
  bool IsRootFolder(const std::string& path) override {
    return inner_.IsRootFolder(path);
  }
  std::string ResolvePath(const std::string& path) override {
    return inner_.ResolvePath(path);
  }
  std::vector<FolderEntry> ListFolder(const std::string& path) override {
    return inner_.ListFolder(path);
  }
  std::unique_ptr<TextReader> OpenTextFile(const std::string& path) override {
    return inner_.OpenTextFile(path);
  }
  std::string ReadFile(const std::string& path, size_t limit,
                       bool* whole) override {
    return inner_.ReadFile(path, limit, whole);
  }
  std::string ReadFileAt(const std::string& path, uint64_t offset,
                         size_t limit) override {
    return inner_.ReadFileAt(path, offset, limit);
  }
  std::unique_ptr<TextWriter> CreateTextFile(const std::string& path) override;
  void WriteFile(const std::string& path, std::string_view bytes) override;
  void WriteFileMadeBy(
      const std::string& path,
      const std::function<void(const std::string& made)>& make) override;
  void WriteFileWith(const std::string& path,
                     const std::function<void(ByteSink&)>& fill) override;
  void CopyFile(const std::string& from, const std::string& to) override;
  void RemoveFile(const std::string& path) override;
  bool RemoveFolder(const std::string& path) override {
    return inner_.RemoveFolder(path);
  }
  void MakeFolders(const std::string& path) override {
    inner_.MakeFolders(path);
  }
  std::string MakeTemporaryFile(std::string_view extension) override {
    return inner_.MakeTemporaryFile(extension);
  }
  std::string HomeFolder() override { return inner_.HomeFolder(); }
  std::string ConfigFolder() override { return inner_.ConfigFolder(); }
  std::tm LocalTime() override { return inner_.LocalTime(); }
  int64_t Now() override { return inner_.Now(); }

  // Notes the file at `path` as written, at the size it has now.
  void Note(const std::string& path);

 private:
  void NoteSize(const std::string& path, uint64_t size);

  FileSystem& inner_;
  std::mutex mutex_;
  std::string root_;
  WrittenFiles written_;
};

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_OUTPUT_TRACKING_FILE_SYSTEM_H_
