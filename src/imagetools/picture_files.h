// Reading pictures and writing thumbnails and mid-size copies through the
// FileSystem, with the errors the gallery shows: "the file cannot be read
// (reason)", "the thumbnail NAME cannot be written (reason)" and "the
// mid-size copy NAME cannot be written (reason)". The picture library only
// ever sees bytes in memory, so file names with brackets, colons or
// percent signs mean nothing special to it. The caller names the picture.
#ifndef ORVANTA_IMAGETOOLS_PICTURE_FILES_H_
#define ORVANTA_IMAGETOOLS_PICTURE_FILES_H_

#include <string>
#include <string_view>

#include "common/file_system.h"

namespace orvanta {

// At most `limit` bytes from the start of the picture at `path` (*whole
// tells whether that is all). Throws Error(kGeneral) when it cannot be
// read (missing, a folder, no permission).
std::string ReadPicture(FileSystem& fs, const std::string& path,
                        size_t limit = kWholeFile, bool* whole = nullptr);

// Replaces the thumbnail at `path` with `bytes`, whole or not at all.
// Throws Error(kGeneral) naming the thumbnail; `path` is then unchanged. A
// FIFO or device there is never opened: Error(kNotRegularFile).
void WriteThumbnail(FileSystem& fs, const std::string& path,
                    std::string_view bytes);
// The same for a mid-size copy.
void WriteMidSizeCopy(FileSystem& fs, const std::string& path,
                      std::string_view bytes);

// The same for a published original ("the published file NAME cannot be
// written (reason)").
void WritePublished(FileSystem& fs, const std::string& path,
                    std::string_view bytes);
// Copies `from` to the published original `to` through the FileSystem;
// Error(kGeneral) "the file cannot be read (reason)" or as WritePublished.
void CopyPublished(FileSystem& fs, const std::string& from,
                   const std::string& to);

// A temporary file in the system's folder for them, for what another
// program writes (a movie's frame, the external converter's thumbnail)
// before it replaces the output in one step. Removed when done.
class ScratchFile {
 public:
  // `extension` names the format; `what` the file in the error ("no
  // temporary file for the frame (reason)"). Throws Error(kGeneral).
  ScratchFile(FileSystem& fs, const std::string& extension, const char* what);
  ~ScratchFile();
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;
  const std::string& path() const { return path_; }

 private:
  FileSystem& fs_;
  std::string path_;
};

}  // namespace orvanta

#endif  // ORVANTA_IMAGETOOLS_PICTURE_FILES_H_
