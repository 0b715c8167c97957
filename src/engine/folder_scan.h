// Which files of a folder belong in the gallery: counting the files of a
// whole tree for the progress display, listing one folder's pictures and
// movies, and finding a file's thumbnail.
#ifndef ORVANTA_ENGINE_FOLDER_SCAN_H_
#define ORVANTA_ENGINE_FOLDER_SCAN_H_

#include <cstdint>
#include <string>
#include <vector>

#include "engine/run_context.h"

namespace orvanta {

// The visible subfolders of `folder` in the system's order: hidden ones
// and folders reached through a symbolic link are left out. Throws Error.
std::vector<std::string> ListSubfolders(FileSystem& fs,
                                        const std::string& folder);

// Adds to *folder_count the subfolders below `folder` and to *file_count
// the files of the switched-on kinds in the whole tree, moving the
// progress bar every tenth folder. Returns early once an abort is
// requested. Throws Error when a folder cannot be listed.
void CountGalleryFiles(RunContext& ctx, const std::string& folder,
                       int32_t* folder_count, int32_t* file_count);

// Lists the folder's pictures and movies into *names (table order, then
// the system's order; thumbnails and the sidebar picture left out) and
// fills info->thumbnails_to_create as the run's create mode asks.
// Throws Error when the folder cannot be listed.
void ListFolderFiles(RunContext& ctx, FolderInfo* info,
                     std::vector<std::string>* names);

// The name of a movie's thumbnail: prefix + base name + "." + the movie
// thumbnail extension ("clip.mov" -> "t_clip.jpg").
std::string MovieThumbnailName(const GalleryOptions& options,
                               const std::string& movie);

// Whether the file's thumbnail exists: for a picture prefix + name, or
// prefix + base name + ".jpg" when its extension is not jpg; for a movie
// prefix + base name + "." + the movie thumbnail extension. *path gets the
// thumbnail's full path when found, else "".
bool ThumbnailExists(RunContext& ctx, const FolderInfo& info,
                     const std::string& name, std::string* path,
                     bool* is_movie);

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_FOLDER_SCAN_H_
