// Names of the files made beside listed files.
#include "engine/plan/output_names.h"

#include "common/path_utils.h"
#include "common/text_utils.h"

namespace orvanta {

std::string OwnName(const FolderPlan& folder, const std::string& name) {
  const std::string base = BaseNameOf(name);
  return folder.shared_bases.contains(ToLowerAscii(base)) ? name : base;
}

namespace {

// Whether `base` is that of an index page after the first: "index-2"...
bool IsLaterIndexPage(const std::string& base) {
  return base.size() > 6 && EqualsIgnoreCase(base.substr(0, 6), "index-") &&
         base.find_first_not_of("0123456789", 6) == std::string::npos;
}

}  // namespace

int IndexPageCount(const FolderPlan& folder) {
  if (folder.per_page <= 0 || folder.entries.empty()) return 1;
  const int count = static_cast<int>(folder.entries.size());
  return (count + folder.per_page - 1) / folder.per_page;
}

std::string IndexPageName(int page) {
  return page == 0 ? "index.html"
                   : "index-" + std::to_string(page + 1) + ".html";
}

int IndexPageOf(const FolderPlan& folder, int i) {
  return folder.per_page <= 0 ? 0 : i / folder.per_page;
}

std::string PageName(const FolderPlan& folder, const std::string& name) {
  if (folder.per_page > 0 && IsLaterIndexPage(BaseNameOf(name))) {
    return name + ".html";
  }
  if (!EqualsIgnoreCase(BaseNameOf(name), "index")) {
    return OwnName(folder, name) + ".html";
  }
  // A file named "index" alone would still meet the folder's page.
  return name + (EqualsIgnoreCase(name, "index") ? ".page.html" : ".html");
}

std::string MovieThumbnailName(const GalleryOptions& options,
                               const FolderPlan& folder,
                               const std::string& movie) {
  return options.thumbnail_file_prefix + OwnName(folder, movie) + "." +
         options.movie_file_thumbnail_extension;
}

std::string PictureThumbnailName(const GalleryOptions& options,
                                 const FolderPlan& folder,
                                 const std::string& name) {
  if (options.create_mid_size_files && !BrowsersShowFile(name)) {
    return options.thumbnail_file_prefix + OwnName(folder, name) + ".jpg";
  }
  return options.thumbnail_file_prefix + name;
}

std::string MidSizeCopyName(const GalleryOptions& options,
                            const FolderPlan& folder, const std::string& name) {
  return options.mid_size_file_prefix + OwnName(folder, name) + ".jpg";
}

std::string AlbumZipName(const FolderPlan& folder) {
  std::string path = folder.folder_path;
  while (!path.empty() && path.back() == '/') path.pop_back();
  const std::string name = path.substr(path.rfind('/') + 1);
  return (name.empty() || name == "." || name == ".." ? "album" : name) +
         ".zip";
}

bool BrowsersShowFile(const std::string& name) {
  const std::string extension = ToLowerAscii(ExtensionOf(name));
  for (const char* shown :
       {"jpg", "jpeg", "jpe", "png", "gif", "webp", "bmp"}) {
    if (extension == shown) return true;
  }
  return false;
}

bool IsMidSizeCopyName(const GalleryOptions& options, const std::string& name) {
  return !options.mid_size_file_prefix.empty() &&
         StartsWithIgnoreCase(name, options.mid_size_file_prefix);
}

bool LargerThanCopyBounds(const GalleryOptions& options,
                          const PixelSize& size) {
  return size.width > options.mid_size_maximum_width ||
         size.height > options.mid_size_maximum_height;
}

std::string ExistingThumbnail(FileSystem& fs, const GalleryOptions& options,
                              const FolderPlan& folder,
                              const EntryPlan& entry) {
  const std::string path = folder.output_path + entry.thumbnail;
  if (fs.FileExists(path)) return path;
  if (entry.movie) return "";
  const std::string& name = entry.name;
  const std::string stem = folder.output_path + options.thumbnail_file_prefix;
  if (path == stem + name && ToLowerAscii(ExtensionOf(name)) != "jpg" &&
      !folder.shared_bases.contains(ToLowerAscii(BaseNameOf(name)))) {
    const std::string jpeg = stem + BaseNameOf(name) + ".jpg";
    if (fs.FileExists(jpeg)) return jpeg;
  }
  return "";
}

}  // namespace orvanta
