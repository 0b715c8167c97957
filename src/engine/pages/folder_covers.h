// The covers of the folder cards on an index page: for each subfolder, its
// sidebar picture when its information file names one, else the thumbnail
// of its first picture in its order (of its first movie when no picture
// has one), else the first cover found in the folders below it, in their
// order. Only files that exist are taken, so a card never names a missing
// picture: the covers are looked for once the subfolders are built.
#ifndef ORVANTA_ENGINE_PAGES_FOLDER_COVERS_H_
#define ORVANTA_ENGINE_PAGES_FOLDER_COVERS_H_

#include <optional>
#include <string>

#include "common/file_system.h"
#include "engine/plan/gallery_plan.h"
#include "engine/styles/page_style.h"
#include "options/options.h"

namespace orvanta {

// The cover of folder `index` of the plan, its path given from the folder
// `from` (a folder above it, ending in the separator), its size left
// unknown; nothing when it has none.
std::optional<FolderCover> FindCover(FileSystem& fs,
                                     const GalleryOptions& options,
                                     const GalleryPlan& plan, int index,
                                     const std::string& from);

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_PAGES_FOLDER_COVERS_H_
