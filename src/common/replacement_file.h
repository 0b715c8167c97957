// A file that is written whole or not at all. When committed, the new
// contents go to a hidden temporary file beside the target and take its
// place by a rename; readers see the old file or the new one, never a
// part. The folder is checked when the replacement starts, so one that
// cannot be written shows at once; the temporary file is made only when
// committed, so a file that keeps its contents costs no file at all.
// Nothing is ever written through a symbolic link: a link at the target
// (dangling or not) is itself replaced by the new file, and whatever it
// pointed to stays untouched. A target that is no regular file, folder or
// link (a FIFO, a socket, a device) is never opened: the replacement is
// refused with ErrorKind::kNotRegularFile.
#ifndef ORVANTA_COMMON_REPLACEMENT_FILE_H_
#define ORVANTA_COMMON_REPLACEMENT_FILE_H_

#include <functional>
#include <string>
#include <string_view>

namespace orvanta {

class ReplacementFile {
 public:
  // Starts replacing the file at `path` (which need not exist). Throws
  // Error with the system's reason (permission, no such folder, too many
  // open files), or kNotRegularFile ("PATH: not a regular file, left
  // alone").
  explicit ReplacementFile(const std::string& path);
  // Abandons the replacement unless it was committed.
  ~ReplacementFile();
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;

  // True when the target is a regular file (not a link) holding exactly
  // `bytes`.
  bool Holds(std::string_view bytes) const;
  // Puts `bytes` in the target's place: a new file (or one replacing a
  // link) gets the permission bits 0666 less the umask, an old one keeps
  // its own. Throws Error with the system's reason (disk full...); the
  // target is then unchanged.
  void Commit(std::string_view bytes);
  // As Commit, with the contents written by `fill` into the descriptor of
  // the new file; `fill` returns 0 or an errno value.
  void CommitWith(const std::function<int(int fd)>& fill);
  // As Commit, with the contents written by `make` (another program) into
  // the new file at the path it is given, a hidden file beside the target.
  // When `make` throws, that file is removed and the target is unchanged.
  void CommitMade(const std::function<void(const std::string& path)>& make);
  // Leaves the target as it was (a new file is not made).
  void Abandon();

 private:
  // Makes the temporary file (open as fd_); then puts it in the target's
  // place unless `error`, and throws Error when that or `error` failed.
  void MakeTemporary();
  void Finish(int error);

  std::string target_;     // the path to replace; never resolved
  std::string temporary_;  // while a temporary file exists
  int fd_ = -1;            // the temporary file while it is written
  bool finished_ = false;
  bool regular_ = false;  // an existing regular file, not a link
  unsigned mode_ = 0;
};

// Whether `name` is one of the hidden temporary files a replacement
// makes (".NAME.orvanta-XXXXXX"), left behind when the program was
// killed mid-write.
bool IsReplacementLeftover(std::string_view name);

}  // namespace orvanta

#endif  // ORVANTA_COMMON_REPLACEMENT_FILE_H_
