// Finding the folders' covers.
#include "engine/pages/folder_covers.h"

#include <utility>

#include "common/error.h"
#include "common/html_text.h"
#include "engine/plan/folder_info.h"
#include "engine/plan/output_names.h"

namespace orvanta {
namespace {

// The cover of folder `index` of the plan, its path given from the folder
// `from` (where the files of a folder above it go, ending in the
// separator), its size left unknown; nothing when it has none. The sidebar
// picture shows through its thumbnail when it has one.
std::optional<FolderCover> FindCover(FileSystem& fs,
                                     const GalleryOptions& options,
                                     const GalleryPlan& plan, int index,
                                     const std::string& from) {
  const FolderPlan& folder = plan.folders[index];
  const std::string& sidebar = folder.sidebar_picture_name;
  const std::string shown = SidebarShownFile(fs, folder);
  if (!sidebar.empty() && fs.FileExists(folder.output_path + shown)) {
    const std::string caption = AttributeText(folder.sidebar_picture_caption);
    return FolderCover{folder.output_path.substr(from.size()) + shown,
                       caption.empty() ? HtmlEscape(sidebar) : caption};
  }
  for (const bool movies : {false, true}) {
    for (const EntryPlan& entry : folder.entries) {
      if (entry.movie != movies) continue;
      const std::string thumbnail =
          ExistingThumbnail(fs, options, folder, entry);
      if (thumbnail.empty()) continue;
      const std::string alt =
          AttributeText(LookupPictureTitle(folder, entry.name));
      return FolderCover{thumbnail.substr(from.size()),
                         alt.empty() ? HtmlEscape(entry.name) : alt};
    }
  }
  for (const SubfolderLink& sub : folder.subfolders) {
    if (auto cover = FindCover(fs, options, plan, sub.folder, from)) {
      return cover;
    }
  }
  return std::nullopt;
}

}  // namespace

std::string SidebarShownFile(FileSystem& fs, const FolderPlan& folder) {
  const std::string& thumbnail = folder.sidebar_thumbnail;
  return !thumbnail.empty() && fs.FileExists(folder.output_path + thumbnail)
             ? thumbnail
             : folder.sidebar_picture_name;
}

std::vector<std::optional<FolderCover>> FindCovers(
    FileSystem& fs, const GalleryOptions& options, const GalleryPlan& plan,
    ImageTool& tool, const FolderPlan& folder) {
  std::vector<std::optional<FolderCover>> covers;
  for (const SubfolderLink& sub : folder.subfolders) {
    std::optional<FolderCover> cover =
        FindCover(fs, options, plan, sub.folder, folder.output_path);
    if (cover) cover->size = SizeOf(tool, folder.output_path + cover->path);
    covers.push_back(std::move(cover));
  }
  return covers;
}

std::optional<PixelSize> SizeOf(ImageTool& tool, const std::string& path) {
  try {
    return tool.PictureSize(path);
  } catch (const Error&) {
    return std::nullopt;
  }
}

}  // namespace orvanta
