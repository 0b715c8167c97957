// The files the plan names.
#include "engine/plan/planned_files.h"

#include "common/path_utils.h"
#include "common/text_utils.h"
#include "engine/plan/output_names.h"

namespace orvanta {
namespace {

void AddEntryFiles(const GalleryPlan& plan, const GalleryOptions& options,
                   const FolderPlan& folder, const EntryPlan& entry,
                   std::unordered_set<std::string>* files) {
  const std::string& at = folder.relative;
  files->insert(at + entry.page);
  files->insert(at + entry.thumbnail);
  // The JPEG thumbnail older runs made of a picture of another format.
  if (!entry.movie) {
    files->insert(at + options.thumbnail_file_prefix + BaseNameOf(entry.name) +
                  ".jpg");
  }
  if (!entry.copy.empty()) files->insert(at + entry.copy);
  const std::string half = HalfCopyName(options, folder, entry);
  if (!half.empty()) files->insert(at + half);
  if (entry.web && !entry.web->name.empty()) {
    files->insert(at + entry.web->name);
  }
  if (plan.elsewhere) files->insert(at + entry.name);
}

}  // namespace

bool PlannedFiles::Has(const std::string& relative) const {
  if (files.contains(relative)) return true;
  for (const std::string& folder : kept_folders) {
    if (relative.starts_with(folder)) return true;
  }
  return false;
}

PlannedFiles NamedFiles(const GalleryPlan& plan, const GalleryOptions& options,
                        const std::vector<std::string>& root_files) {
  PlannedFiles planned;
  planned.files.insert(root_files.begin(), root_files.end());
  for (const FolderPlan& folder : plan.folders) {
    if (folder.do_not_modify) {
      planned.kept_folders.push_back(folder.relative);
      continue;
    }
    for (int page = 0; page < IndexPageCount(folder); ++page) {
      planned.files.insert(folder.relative + IndexPageName(page));
    }
    for (const UnreadableFolder& unreadable : folder.unreadable) {
      planned.kept_folders.push_back(
          folder.relative + unreadable.path.substr(folder.folder_path.size()));
    }
    for (const EntryPlan& entry : folder.entries) {
      AddEntryFiles(plan, options, folder, entry, &planned.files);
    }
    if (options.album_downloads && !folder.entries.empty()) {
      planned.files.insert(folder.relative + AlbumZipName(folder));
    }
    const std::string& sidebar = folder.sidebar_picture_name;
    if (plan.elsewhere && !sidebar.empty()) {
      planned.files.insert(folder.relative + sidebar);
    }
    if (!folder.sidebar_thumbnail.empty()) {
      planned.files.insert(folder.relative + folder.sidebar_thumbnail);
    }
  }
  return planned;
}

std::vector<std::string> PictureWorkFiles(const GalleryPlan& plan,
                                          const GalleryOptions& options) {
  std::vector<std::string> files;
  for (const FolderPlan& folder : plan.folders) {
    if (folder.sidebar.publish) {
      files.push_back(folder.relative + folder.sidebar_picture_name);
    }
    if (folder.make_sidebar_thumbnail) {
      files.push_back(folder.relative + folder.sidebar_thumbnail);
    }
    for (const EntryPlan& entry : folder.entries) {
      const std::string& at = folder.relative;
      if (entry.original.publish) files.push_back(at + entry.name);
      if (entry.make_thumbnail) files.push_back(at + entry.thumbnail);
      if (entry.make_copy) files.push_back(at + entry.copy);
      const std::string half =
          entry.make_copy ? HalfCopyName(options, folder, entry) : "";
      if (!half.empty()) files.push_back(at + half);
      const WebVideoPlan* web = entry.web.get();
      if (web && web->make && !web->unreadable && !web->kept) {
        files.push_back(at + web->name);
      }
    }
  }
  return files;
}

}  // namespace orvanta
