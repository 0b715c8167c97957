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
#include <map>
#include <optional>
#include <string>

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

// By path below the root, "/" between folders.
using WrittenRecord = std::map<std::string, RecordLine>;

// The record at `root` (ending in the separator); empty when there is
// none. Lines that cannot be read are skipped; a record that cannot be
// read at all is none.
WrittenRecord ReadRecord(FileSystem& fs, const std::string& root);

// Replaces the record at `root` whole. Throws Error.
void WriteRecord(FileSystem& fs, const std::string& root,
                 const WrittenRecord& record);

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_OUTPUT_WRITTEN_RECORD_H_
