// A file that is written whole or not at all. When committed, the new
// contents go to a hidden temporary file beside the target and take its
// place by a rename; readers see the old file or the new one, never a
// part. The folder is checked when the replacement starts, so one that
// cannot be written shows at once; the temporary file is made only when
// committed, so a file that keeps its contents costs no file at all. A
// symbolic link is followed, so the link stays; a target that is no
// regular file (a device) is written in place.
#ifndef ORVANTA_COMMON_REPLACEMENT_FILE_H_
#define ORVANTA_COMMON_REPLACEMENT_FILE_H_

#include <string>
#include <string_view>

namespace orvanta {

class ReplacementFile {
 public:
  // Starts replacing the file at `path` (which need not exist). Throws
  // Error with the system's reason (permission, no such folder, too many
  // open files).
  explicit ReplacementFile(const std::string& path);
  // Abandons the replacement unless it was committed.
  ~ReplacementFile();
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;

  // True when the target is a regular file holding exactly `bytes`.
  bool Holds(std::string_view bytes) const;
  // Puts `bytes` in the target's place: a new file gets the permission
  // bits 0666 less the umask, an old one keeps its own. Throws Error with
  // the system's reason (disk full...); the target is then unchanged.
  void Commit(std::string_view bytes);
  // Leaves the target as it was (a new file is not made).
  void Abandon();

 private:
  std::string target_;     // the file to replace, links resolved
  std::string temporary_;  // while a temporary file exists
  int fd_ = -1;            // the device written in place, or the temporary
  bool in_place_ = false;
  bool finished_ = false;
  bool existed_ = false;
  unsigned mode_ = 0;
};

}  // namespace orvanta

#endif  // ORVANTA_COMMON_REPLACEMENT_FILE_H_
