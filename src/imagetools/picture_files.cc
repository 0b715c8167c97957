// Picture reads and thumbnail writes with the gallery's error texts.
#include "imagetools/picture_files.h"

#include "common/error.h"
#include "common/path_utils.h"

namespace orvanta {

std::string ReadPicture(FileSystem& fs, const std::string& path, size_t limit,
                        bool* whole) {
  try {
    return fs.ReadFile(path, limit, whole);
  } catch (const Error& e) {
    throw Error(std::string("the file cannot be read (") + e.what() + ")",
                ErrorKind::kGeneral);
  }
}

void WriteThumbnail(FileSystem& fs, const std::string& path,
                    std::string_view bytes) {
  try {
    fs.WriteFile(path, bytes);
  } catch (const Error& e) {
    throw Error("the thumbnail " + FileNameOf(path) + " cannot be written (" +
                    e.what() + ")",
                ErrorKind::kGeneral);
  }
}

}  // namespace orvanta
