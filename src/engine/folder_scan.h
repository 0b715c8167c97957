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
// requested. A folder that cannot be listed is noted in the run's
// unreadable folders, and the count goes on.
void CountGalleryFiles(RunContext& ctx, const std::string& folder,
                       int32_t* folder_count, int32_t* file_count);

// The subfolders of `folder` that the walk goes into, sorted: those the
// count could not list are left out, each with a line in the error list
// ("Trip/Locked: the folder cannot be read (Permission denied)"). Throws
// Error when `folder` cannot be listed.
std::vector<std::string> ReadableSubfolders(RunContext& ctx,
                                            const std::string& folder);

// Adds the error list's line for a folder that cannot be read.
void NoteUnreadableFolder(RunContext& ctx, const std::string& folder,
                          const std::string& reason);

// Lists the folder's pictures and movies into *names (table order, then
// the system's order; thumbnails, mid-size copies and the sidebar picture
// left out) and fills info->work with the thumbnails and copies the run's
// create mode asks for.
// Throws Error when the folder cannot be listed.
void ListFolderFiles(RunContext& ctx, FolderInfo* info,
                     std::vector<std::string>* names);

// What a listed file's page, movie thumbnail and copy are named after: its
// base name ("IMG_1" of IMG_1.jpg) when no other listed file of the folder
// has that base name, else its whole name ("IMG_1.CR2"), so that no two
// files share one. The same on every run.
std::string OwnName(const FolderInfo& info, const std::string& name);

// The page of a listed file: OwnName + ".html" ("Beach1.html"); a file
// whose base name is "index" takes its whole name ("index.jpg.html"), so
// that it never meets the folder's own index.html.
std::string PageName(const FolderInfo& info, const std::string& name);

// The name of a movie's thumbnail: prefix + OwnName + "." + the movie
// thumbnail extension ("clip.mov" -> "t_clip.jpg").
std::string MovieThumbnailName(const GalleryOptions& options,
                               const FolderInfo& info,
                               const std::string& movie);

// Whether the file's thumbnail exists: for a picture prefix + name, or
// prefix + base name + ".jpg" when its extension is not jpg and no other
// listed file shares its base name; for a movie its MovieThumbnailName.
// *path gets the thumbnail's full path when found, else "".
bool ThumbnailExists(RunContext& ctx, const FolderInfo& info,
                     const std::string& name, std::string* path,
                     bool* is_movie);

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_FOLDER_SCAN_H_
