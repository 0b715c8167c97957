// Names of the files made beside listed files.
#include "engine/plan/output_names.h"

#include <unordered_set>

#include "common/html_text.h"
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

namespace {

// `stem` + `ending`, else with "-2", "-3"... after the stem: the first
// name not in `taken` (lower-cased), which it joins.
std::string FreeName(const std::string& stem, const std::string& ending,
                     std::unordered_set<std::string>* taken) {
  std::string name = stem + ending;
  for (int n = 2; !taken->insert(ToLowerAscii(name)).second; ++n) {
    name = stem + "-" + std::to_string(n) + ending;
  }
  return name;
}

// A half-size copy's name without its ending: "m_NAME-half".
std::string HalfCopyStem(const GalleryOptions& options,
                         const FolderPlan& folder, const std::string& name) {
  return options.mid_size_file_prefix + OwnName(folder, name) +
         std::string(kHalfCopyEnding);
}

}  // namespace

void NameExtraFiles(const GalleryOptions& options, bool half, bool sidebar,
                    FolderPlan* folder) {
  const std::string& picture = folder->sidebar_picture_name;
  sidebar = sidebar && !picture.empty() && FileNameOf(picture) == picture;
  folder->half_copies = half;
  if (!half && !sidebar) return;
  std::unordered_set<std::string> taken;
  for (const EntryPlan& entry : folder->entries) {
    for (const std::string& name :
         {entry.name, entry.page, entry.thumbnail,
          entry.movie ? WebVideoName(options, *folder, entry.name)
                      : MidSizeCopyName(options, *folder, entry.name)}) {
      taken.insert(ToLowerAscii(name));
    }
  }
  if (sidebar) {
    taken.insert(ToLowerAscii(picture));
    const bool shown = BrowsersShowFile(picture);
    folder->sidebar_thumbnail = FreeName(
        options.thumbnail_file_prefix + (shown ? BaseNameOf(picture) : picture),
        shown ? "." + ExtensionOf(picture) : ".jpg", &taken);
  }
  if (!half) return;
  for (const EntryPlan& entry : folder->entries) {
    if (entry.movie) continue;
    const std::string stem = HalfCopyStem(options, *folder, entry.name);
    std::string name = FreeName(stem, ".jpg", &taken);
    if (name.size() != stem.size() + 4) {
      folder->halves_named_apart.emplace(ToLowerAscii(entry.name),
                                         std::move(name));
    }
  }
}

std::string HalfCopyName(const GalleryOptions& options,
                         const FolderPlan& folder, const EntryPlan& entry) {
  if (!folder.half_copies || entry.copy.empty()) return "";
  if (!folder.halves_named_apart.empty()) {
    const auto apart = folder.halves_named_apart.find(ToLowerAscii(entry.name));
    if (apart != folder.halves_named_apart.end()) return apart->second;
  }
  return HalfCopyStem(options, folder, entry.name) + ".jpg";
}

std::string WebVideoName(const GalleryOptions& options,
                         const FolderPlan& folder, const std::string& movie) {
  return options.mid_size_file_prefix + OwnName(folder, movie) + ".mp4";
}

std::string AlbumZipName(const FolderPlan& folder) {
  std::string path = folder.folder_path;
  while (!path.empty() && path.back() == kPathSeparator) path.pop_back();
  const std::string name = path.substr(path.rfind(kPathSeparator) + 1);
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

bool HasPages(const FolderPlan& folder) {
  return !folder.do_not_modify && folder.listing_error.empty();
}

size_t PageCount(const GalleryPlan& plan) {
  size_t pages = 0;
  for (const FolderPlan& folder : plan.folders) {
    if (HasPages(folder)) {
      pages += IndexPageCount(folder) + folder.entries.size();
    }
  }
  return pages;
}

std::vector<std::string> RootFileNames(const GalleryOptions& options,
                                       size_t pages) {
  if (options.gallery_address.empty()) return {};
  std::vector<std::string> names = {kFeedName, kSitemapName};
  if (pages <= kSitemapLimit) return names;
  for (size_t part = 1; (part - 1) * kSitemapLimit < pages; ++part) {
    names.push_back("sitemap-" + std::to_string(part) + ".xml");
  }
  return names;
}

std::string WebAddressOf(const GalleryOptions& options, const GalleryPlan& plan,
                         const FolderPlan& folder) {
  if (options.gallery_address.empty()) return "";
  const std::string& root = plan.folders.front().folder_path;
  return options.gallery_address +
         UrlEncodeRelativePath(folder.folder_path.substr(root.size()));
}

}  // namespace orvanta
