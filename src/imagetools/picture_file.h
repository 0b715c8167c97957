// Whole-file reads and atomic replacement for the image tool: the picture
// library only ever sees bytes in memory, so file names with brackets,
// colons or percent signs mean nothing special and every file failure has
// the system's own description.
#ifndef ORVANTA_IMAGETOOLS_PICTURE_FILE_H_
#define ORVANTA_IMAGETOOLS_PICTURE_FILE_H_

#include <memory>
#include <string>

namespace orvanta {

// Returns the bytes of the file at `path`. Throws Error(kGeneral) naming the
// file and the system's reason when it cannot be opened or read (missing,
// a folder, no permission).
std::string ReadPictureFile(const std::string& path);

// Returns the bytes of the file at `path` in a buffer of their own (for
// handing to the picture library without a copy); *length gets their
// number. Throws like ReadPictureFile.
std::unique_ptr<char[]> ReadPictureBytes(const std::string& path,
                                         size_t* length);

// Returns at most `limit` bytes from the start of the file at `path`;
// *whole tells whether that is the whole file. Throws like ReadPictureFile.
std::string ReadPictureFileStart(const std::string& path, size_t limit,
                                 bool* whole);

// Replaces the file at `path` (which must exist; a symbolic link is
// followed) by `bytes`: writes them to a hidden temporary file in the same
// folder with the old file's permission bits and renames it over the old
// file, so readers see either the old or the new contents. Throws
// Error(kGeneral) with the system's reason when anything fails (no
// permission, disk full); the old file is then unchanged and the temporary
// file removed.
void ReplacePictureFile(const std::string& path, const std::string& bytes);

// Writes `bytes` to `path` atomically: replaces an existing file as
// ReplacePictureFile does, or creates a new one (permission bits 0666 less
// the process's umask) through a temporary file renamed into place. Throws
// Error(kGeneral) with the system's reason; `path` is then unchanged.
void WritePictureFile(const std::string& path, const std::string& bytes);

}  // namespace orvanta

#endif  // ORVANTA_IMAGETOOLS_PICTURE_FILE_H_
