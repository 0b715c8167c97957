// The record of written files: one hidden plain-text file at the
// gallery's root naming every file the program wrote there, by its path
// below the root, with the size it had when written and, for a published
// original, what its source was then. Stale output is told from it (a file
// it does not name is never removed), and so are the edits of the person
// (a size that changed) and the originals to publish again.
//
// One line per file: SIZE SOURCE PATH, where SOURCE is "-" or, for a
// published original, SIZE:MODIFIED_NS:L (L 1 when its location was
// removed); in PATH a backslash, a line feed and a carriage return are
// written as \\, \n and \r. Lines starting with "#" are comments.
#ifndef ORVANTA_ENGINE_OUTPUT_WRITTEN_RECORD_H_
#define ORVANTA_ENGINE_OUTPUT_WRITTEN_RECORD_H_

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_system.h"

namespace orvanta {

inline constexpr char kRecordFileName[] = ".orvanta-written";

// What a published original was published from.
struct SourceStamp {
  uint64_t size = 0;
  int64_t modified_ns = 0;
  bool location_removed = false;
  friend bool operator==(const SourceStamp&, const SourceStamp&) = default;
};

struct RecordLine {
  uint64_t size = 0;  // of the file as written
  std::optional<SourceStamp> source;
  friend bool operator==(const RecordLine&, const RecordLine&) = default;
};

// The lines of a record, by path below the root ("/" between folders):
// those read kept in one block of text and one sorted array (a gallery of
// many files takes little memory for it), those named later apart.
class WrittenRecord {
 public:
  // The line of `path`; nothing when the record does not name it.
  std::optional<RecordLine> Find(std::string_view path) const;
  bool Contains(std::string_view path) const { return Find(path).has_value(); }
  bool Empty() const { return named_ == 0; }
  // Where `path` is among the lines read (named or not since); -1 when it
  // is not one of them.
  int IndexOf(std::string_view path) const;
  // Names `path` with `line`, in place of what the record said of it.
  void Set(std::string_view path, const RecordLine& line);
  void Erase(std::string_view path);
  // Whether Set or Erase changed anything since the record was read.
  bool Changed() const { return changed_; }
  // The lines read, named or not since.
  size_t LinesRead() const { return lines_.size(); }
  void ForEachRead(const std::function<void(int index, std::string_view path)>&
                       visit) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
      visit(static_cast<int>(i), PathOf(lines_[i]));
    }
  }
  // Every file the record names, by path.
  void ForEach(const std::function<void(std::string_view path,
                                        const RecordLine& line)>& visit) const;

 private:
  friend WrittenRecord ReadRecord(FileSystem& fs, const std::string& root);
  static constexpr uint32_t kNoStamp = ~uint32_t{0};
  struct Line {
    uint32_t at = 0, length = 0;  // of its path in paths_
    uint64_t size = 0;
    uint32_t stamp = kNoStamp;  // its source in stamps_
    bool named = true;
  };
  std::string_view PathOf(const Line& line) const {
    return std::string_view(paths_).substr(line.at, line.length);
  }
  RecordLine LineOf(const Line& line) const;
  void Assign(const RecordLine& line, Line* read);
  void Sort();

  std::string paths_;
  std::vector<Line> lines_;  // those read, by path
  std::vector<SourceStamp> stamps_;
  std::map<std::string, RecordLine, std::less<>> added_;
  size_t named_ = 0;
  bool changed_ = false;
};

// The record at `root` (ending in the separator); empty when there is
// none. Lines that cannot be read are skipped; a record that cannot be
// read at all is none.
WrittenRecord ReadRecord(FileSystem& fs, const std::string& root);

// Replaces the record at `root` whole. Throws Error.
void WriteRecord(FileSystem& fs, const std::string& root,
                 const WrittenRecord& record);

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_OUTPUT_WRITTEN_RECORD_H_
