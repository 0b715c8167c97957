// The covers of the folder cards on an index page: for each subfolder, its
// sidebar picture when its information file names one, else the thumbnail
// of its first picture in its order (of its first movie when no picture
// has one), else the first cover found in the folders below it, in their
// order. Only files that exist are taken, so a card never names a missing
// picture: the covers are looked for once the subfolders are built. And
// the size of such a picture, as the index pages show it.
#ifndef ORVANTA_ENGINE_PAGES_FOLDER_COVERS_H_
#define ORVANTA_ENGINE_PAGES_FOLDER_COVERS_H_

#include <optional>
#include <string>
#include <vector>

#include "common/file_system.h"
#include "engine/plan/gallery_plan.h"
#include "engine/styles/page_style.h"
#include "imagetools/image_tool.h"
#include "options/options.h"

namespace orvanta {

// What shows the folder's sidebar picture: the thumbnail made for it when
// that exists, else the picture as its information file names it.
std::string SidebarShownFile(FileSystem& fs, const FolderPlan& folder);

// The covers of the subfolders of `folder`, in its order, their paths from
// it; nothing for one without a cover.
std::vector<std::optional<FolderCover>> FindCovers(
    FileSystem& fs, const GalleryOptions& options, const GalleryPlan& plan,
    ImageTool& tool, const FolderPlan& folder);

// The size of a picture the run made or found; none when unknown.
std::optional<PixelSize> SizeOf(ImageTool& tool, const std::string& path);

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_PAGES_FOLDER_COVERS_H_
