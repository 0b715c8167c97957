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
    if (e.kind() == ErrorKind::kNotRegularFile) throw;
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

void WritePublished(FileSystem& fs, const std::string& path,
                    std::string_view bytes) {
  WriteMade(fs, "published file", path, bytes);
}

void CopyPublished(FileSystem& fs, const std::string& from,
                   const std::string& to) {
  try {
    fs.CopyFile(from, to);
  } catch (const Error& e) {
    if (e.kind() == ErrorKind::kNotRegularFile) throw;
    // The reason belongs to the source when it cannot be read.
    try {
      fs.ReadFile(from, 1);
    } catch (const Error& unreadable) {
      throw Error(
          std::string("the file cannot be read (") + unreadable.what() + ")",
          ErrorKind::kGeneral);
    }
    throw Error("the published file " + FileNameOf(to) +
                    " cannot be written (" + e.what() + ")",
                ErrorKind::kGeneral);
  }
}

ScratchFile::ScratchFile(FileSystem& fs, const std::string& extension,
                         const char* what)
    : fs_(fs) {
  try {
    path_ = fs.MakeTemporaryFile(extension);
  } catch (const Error& e) {
    throw Error(std::string("no temporary file for the ") + what + " (" +
                    e.what() + ")",
                ErrorKind::kGeneral);
  }
}

ScratchFile::~ScratchFile() {
  try {
    fs_.RemoveFile(path_);
  } catch (const Error&) {
    // Left in the temporary folder, which the system empties.
  }
}

}  // namespace orvanta
