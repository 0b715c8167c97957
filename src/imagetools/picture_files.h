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
// Throws Error(kGeneral) naming the thumbnail; `path` is then unchanged.
void WriteThumbnail(FileSystem& fs, const std::string& path,
                    std::string_view bytes);
// The same for a mid-size copy.
void WriteMidSizeCopy(FileSystem& fs, const std::string& path,
                      std::string_view bytes);

}  // namespace orvanta

#endif  // ORVANTA_IMAGETOOLS_PICTURE_FILES_H_
