// The names of the files a run makes beside a listed file: its picture
// page, its thumbnail and its web-size copy. Names that two listed files
// of a folder would share take the file's whole name ("pic.png.html").
#ifndef ORVANTA_ENGINE_PLAN_OUTPUT_NAMES_H_
#define ORVANTA_ENGINE_PLAN_OUTPUT_NAMES_H_

#include <string>
#include <string_view>
#include <vector>

#include "common/file_system.h"
#include "engine/plan/gallery_plan.h"
#include "options/options.h"

namespace orvanta {

// The file's base name, or its whole name when the base is shared.
std::string OwnName(const FolderPlan& folder, const std::string& name);
// The file's picture page: "NAME.html" ("index.jpg.html", never
// "index.html"; in a folder of several index pages "index-2.jpg.html").
std::string PageName(const FolderPlan& folder, const std::string& name);
// The folder's index pages: how many, the name of page `page` (0 is
// "index.html", 1 "index-2.html" ...), and the page that lists entry `i`.
int IndexPageCount(const FolderPlan& folder);
std::string IndexPageName(int page);
int IndexPageOf(const FolderPlan& folder, int i);
// A movie's thumbnail: the prefix, its own name and the movie thumbnail
// extension.
std::string MovieThumbnailName(const GalleryOptions& options,
                               const FolderPlan& folder,
                               const std::string& movie);
// A picture's thumbnail: the prefix and its name; with web-size copies a
// picture that browsers cannot show gets a JPEG ("t_a.heic.jpg" style
// names take its own name and ".jpg").
std::string PictureThumbnailName(const GalleryOptions& options,
                                 const FolderPlan& folder,
                                 const std::string& name);
// A picture's web-size copy: the copy prefix, its own name and ".jpg".
std::string MidSizeCopyName(const GalleryOptions& options,
                            const FolderPlan& folder, const std::string& name);
// What a half-size copy's name adds to its copy's before the extension.
inline constexpr std::string_view kHalfCopyEnding = "-half";
// Names the folder's half-size copies ("m_NAME-half.jpg") of its pictures
// with `half` and the thumbnail of its sidebar picture ("t_NAME.jpg", a JPEG
// for a format browsers cannot show) with `sidebar`: each its own, never
// the name of another file the plan names in the folder (a picture
// "a-half.jpg" has the copy "m_a-half.jpg": the half of "a.jpg" is then
// "m_a-half-2.jpg").
void NameExtraFiles(const GalleryOptions& options, bool half, bool sidebar,
                    FolderPlan* folder);
// The entry's half-size copy as NameExtraFiles named it; "" when it gets
// none (the pages ask for none, or the picture gets no copy).
std::string HalfCopyName(const GalleryOptions& options,
                         const FolderPlan& folder, const EntryPlan& entry);
// A movie's web copy: the copy prefix, its own name and ".mp4".
std::string WebVideoName(const GalleryOptions& options,
                         const FolderPlan& folder, const std::string& movie);
// The folder's album download: its name and ".zip" ("Sea.zip"; the
// root's is named after the input folder), "album.zip" for a folder
// without a name.
std::string AlbumZipName(const FolderPlan& folder);
// Whether browsers show files of this name's type (JPEG, PNG, GIF, WebP,
// BMP).
bool BrowsersShowFile(const std::string& name);
// Whether `name` is taken for a web-size copy or a movie's web copy: it
// begins with the copy prefix, whether copies are made or not (never
// listed).
bool IsMidSizeCopyName(const GalleryOptions& options, const std::string& name);
// Whether a picture of this size is larger than the copies' bounds.
bool LargerThanCopyBounds(const GalleryOptions& options, const PixelSize& size);

// The path of the entry's thumbnail where the folder's files go, when one
// exists there (for a picture also a JPEG under its base name, as older
// runs made); "" when none does.
std::string ExistingThumbnail(FileSystem& fs, const GalleryOptions& options,
                              const FolderPlan& folder, const EntryPlan& entry);

// The feed and the sitemap: made at the gallery's root from the whole plan,
// after its pages, when the gallery has a web address.
inline constexpr char kFeedName[] = "feed.atom";
inline constexpr char kSitemapName[] = "sitemap.xml";
// The most addresses one sitemap may hold: a gallery of more pages gets
// "sitemap-1.xml", "sitemap-2.xml"... and kSitemapName lists those.
inline constexpr size_t kSitemapLimit = 50000;

// Whether the folder gets pages: not when it is kept as it is or could
// not be read.
bool HasPages(const FolderPlan& folder);
// The pages the plan makes: every such folder's index pages and every
// listed file's page.
size_t PageCount(const GalleryPlan& plan);
// The names of the files at the root made from the plan: none without a
// gallery address, else kFeedName, kSitemapName and the further sitemaps.
std::vector<std::string> RootFileNames(const GalleryOptions& options,
                                       size_t pages);

// The address of `folder` on the web ("https://example.org/photos/Trip/"):
// the gallery's address and the folder's path below the root, each name
// percent-encoded as the pages' links are. "" without a gallery address.
std::string WebAddressOf(const GalleryOptions& options, const GalleryPlan& plan,
                         const FolderPlan& folder);

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_PLAN_OUTPUT_NAMES_H_
