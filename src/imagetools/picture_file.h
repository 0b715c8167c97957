// Whole-file reads and whole-file writes for the image tool: the picture
// library only ever sees bytes in memory, so file names with brackets,
// colons or percent signs mean nothing special and every file failure has
// the system's own description. The errors leave naming the picture to the
// caller.
#ifndef ORVANTA_IMAGETOOLS_PICTURE_FILE_H_
#define ORVANTA_IMAGETOOLS_PICTURE_FILE_H_

#include <memory>
#include <string>

namespace orvanta {

// Returns the bytes of the file at `path`. Throws Error(kGeneral), "the file
// cannot be read (reason)", when it cannot be opened or read (missing, a
// folder, no permission).
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

// Writes `bytes` to `path` whole or not at all (a ReplacementFile). Throws
// Error(kGeneral), "the thumbnail NAME cannot be written (reason)"; `path`
// is then unchanged.
void WritePictureFile(const std::string& path, const std::string& bytes);

}  // namespace orvanta

#endif  // ORVANTA_IMAGETOOLS_PICTURE_FILE_H_
