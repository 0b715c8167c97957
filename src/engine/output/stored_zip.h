// Zip archives of files stored as they are (no compression: pictures and
// movies are compressed already), written in one pass through the file
// system seam, a piece at a time, so memory stays the same however large
// the files are. Names are UTF-8 and flagged so; an archive over 4 GB or
// of more than 65535 files takes the ZIP64 records. The archive's comment
// carries a mark of its members, by which a later run tells that it is
// still up to date.
#ifndef ORVANTA_ENGINE_OUTPUT_STORED_ZIP_H_
#define ORVANTA_ENGINE_OUTPUT_STORED_ZIP_H_

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/file_system.h"

namespace orvanta {

struct ZipMember {
  std::string name;  // in the archive
  std::string path;  // the file it holds
  uint64_t size = 0;
  int64_t modified_ns = 0;
};

// The comment that marks an archive of `members`.
std::string ZipMark(const std::vector<ZipMember>& members);
// Whether `comment` is a mark this program writes (of any members).
bool IsZipMark(std::string_view comment);
// The size of the archive of `members` with `comment`.
uint64_t StoredZipSize(const std::vector<ZipMember>& members,
                       const std::string& comment);
// The comment at the end of the archive at `path`; "" when there is none
// or it is no archive. Does not throw.
std::string ReadZipComment(FileSystem& fs, const std::string& path);
// Writes the archive at `path`, replacing it whole or not at all.
// `stopped` is asked between pieces; when it says yes the writing ends
// and the old file stays. Throws Error (also when a member's size changed
// since `members` was made).
void WriteStoredZip(FileSystem& fs, const std::string& path,
                    const std::vector<ZipMember>& members,
                    const std::string& comment,
                    const std::function<bool()>& stopped);

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_OUTPUT_STORED_ZIP_H_
