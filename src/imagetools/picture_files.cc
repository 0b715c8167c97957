// Picture reads and thumbnail and copy writes with the gallery's error
// texts.
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

namespace {

void WriteMade(FileSystem& fs, const std::string& what, const std::string& path,
               std::string_view bytes) {
  try {
    fs.WriteFile(path, bytes);
  } catch (const Error& e) {
    throw Error("the " + what + " " + FileNameOf(path) +
                    " cannot be written (" + e.what() + ")",
                ErrorKind::kGeneral);
  }
}

}  // namespace

void WriteThumbnail(FileSystem& fs, const std::string& path,
                    std::string_view bytes) {
  WriteMade(fs, "thumbnail", path, bytes);
}

void WriteMidSizeCopy(FileSystem& fs, const std::string& path,
                      std::string_view bytes) {
  WriteMade(fs, "mid-size copy", path, bytes);
}

}  // namespace orvanta
