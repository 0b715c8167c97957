// The modern style's blocks and files.
#include "engine/styles/modern/modern_style.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <initializer_list>

#include "common/conversions.h"
#include "common/html_text.h"
#include "common/path_utils.h"
#include "common/text_utils.h"
#include "engine/styles/modern/share_tags.h"
#include "engine/styles/page_text.h"
#include "imagetools/image_tool.h"
#include "imagetools/resample.h"
#include "options/options.h"

namespace orvanta {

extern const std::string_view kEmbeddedModernIndexTemplate;
extern const std::string_view kEmbeddedModernPictureTemplate;
extern const std::string_view kEmbeddedStyleSheet;
extern const std::string_view kEmbeddedScript;

namespace {

constexpr char kModernIndexTemplate[] = "ModernIndexTemplate.html";
constexpr char kModernPictureTemplate[] = "ModernPictureTemplate.html";

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string SizeAttributes(const std::optional<PixelSize>& size) {
  if (!size) return "";
  return " width=" + Quoted(std::to_string(size->width)) +
         " height=" + Quoted(std::to_string(size->height));
}

// The alt text of a file's picture: its title, else its name.
std::string Alt(const PageInput& in, int i) {
  const std::string alt = AttributeText(ShownTitle(in, i));
  return alt.empty() ? HtmlEscape(in.folder.entries[i].name) : alt;
}

// The picture of a file's grid cell: its thumbnail, else the picture
// itself at the thumbnail's size, else (a movie) its name.
std::string GridImage(const PageInput& in, int i) {
  const EntryPlan& entry = in.folder.entries[i];
  const EntryOutputs& made = in.made.entries[i];
  const std::string alt = " alt=" + Quoted(Alt(in, i));
  if (!made.thumbnail.empty()) {
    return "<img src=" + Quoted(UrlEncodeName(made.thumbnail)) + alt +
           SizeAttributes(made.thumbnail_size) + " loading=\"lazy\">";
  }
  if (entry.movie) {
    return "<span class=\"nothumb\">" + HtmlEscape(entry.name) + "</span>";
  }
  const int box = in.options.thumbnail_maximum_width_or_height;
  PixelSize fitted{box, box};
  if (const auto& size = entry.size) {
    FitInside(size->width, size->height, box, &fitted.width, &fitted.height);
  }
  return "<img src=" + Quoted(UrlEncodeName(entry.name)) + alt +
         SizeAttributes(fitted) + " loading=\"lazy\">";
}

// The type of a clip that browsers play; "" for others.
std::string PlayableType(const std::string& name) {
  const std::string extension = ToLowerAscii(ExtensionOf(name));
  if (extension == "mp4" || extension == "m4v") return "video/mp4";
  if (extension == "webm") return "video/webm";
  return "";
}

// What a movie's page plays: its web copy when there is one; else the
// clip when browsers play it (as ffprobe found, else by its extension:
// ffprobe is missing).
struct PlayedVideo {
  std::string file;
  std::string type;               // "" when browsers do not play it
  std::optional<PixelSize> size;  // its own size, when known
};

PlayedVideo Played(const PageInput& in, int i) {
  const EntryPlan& entry = in.folder.entries[i];
  const WebVideoPlan* web = entry.web.get();
  const std::string& copy = in.made.entries[i].web_video;
  if (!copy.empty()) return {copy, "video/mp4", web->size};
  if (web != nullptr && web->clip) {
    return {entry.name, web->played_type, web->size};
  }
  return {entry.name, PlayableType(entry.name), std::nullopt};
}

void ClipView(const PageInput& in, int i, std::vector<std::string>* out) {
  const EntryPlan& entry = in.folder.entries[i];
  const EntryOutputs& made = in.made.entries[i];
  const std::string href = Quoted(UrlEncodeName(entry.name));
  const bool has_thumbnail = !made.thumbnail.empty();
  const std::string thumbnail = UrlEncodeName(made.thumbnail);
  const PlayedVideo played = Played(in, i);
  // The video's own size, else the thumbnail's, which has its shape.
  const std::string size = played.size     ? SizeAttributes(played.size)
                           : has_thumbnail ? SizeAttributes(made.thumbnail_size)
                                           : "";
  if (played.type.empty()) {
    out->push_back("<a class=\"shot clip\" href=" + href + " download>" +
                   (has_thumbnail ? "<img src=" + Quoted(thumbnail) + " alt=" +
                                        Quoted(Alt(in, i)) + size + ">"
                                  : "") +
                   "<span class=\"play\">Download " + HtmlEscape(entry.name) +
                   "</span></a>");
    return;
  }
  const std::string download = made.web_video.empty() ? "" : " download";
  out->insert(
      out->end(),
      {"<video class=\"shot\" controls preload=\"metadata\"" +
           (has_thumbnail ? " poster=" + Quoted(thumbnail) : "") + size + ">",
       "<source src=" + Quoted(UrlEncodeName(played.file)) +
           " type=" + Quoted(played.type) + ">",
       "<a href=" + href + download + ">" + HtmlEscape(entry.name) + "</a>",
       "</video>"});
}

// The folders above as a trail of links, the nearest last.
void UpLink(const PageInput& in, std::vector<std::string>* out) {
  const std::vector<std::string>& above = in.folder.above;
  if (above.empty()) return;
  std::string trail = "<nav class=\"up\" aria-label=\"Folders above\"><ol>";
  for (size_t k = 0; k < above.size(); ++k) {
    std::string href;
    for (size_t up = k; up < above.size(); ++up) href += "../";
    trail += "<li><a href=\"" + href + "index.html\"" +
             (k + 1 == above.size() ? " name=\"navIndex\"" : "") + ">" +
             above[k] + "</a></li>";
  }
  out->push_back(trail + "</ol></nav>");
}

void FolderDescription(const PageInput& in, std::vector<std::string>* out) {
  if (in.folder.description.empty()) return;
  out->push_back("<p class=\"description\">" + in.folder.description + "</p>");
}

// A size as people read it: "42 KB", "8.4 MB", "84 MB", "1.2 GB".
std::string ShownBytes(uint64_t bytes) {
  char text[32];
  if (bytes < 1000000) {
    std::snprintf(text, sizeof text, "%llu KB",
                  static_cast<unsigned long long>((bytes + 999) / 1000));
  } else if (bytes < 10000000) {
    std::snprintf(text, sizeof text, "%.1f MB", bytes / 1e6);
  } else if (bytes < 1000000000) {
    std::snprintf(text, sizeof text, "%.0f MB", bytes / 1e6);
  } else {
    std::snprintf(text, sizeof text, "%.1f GB", bytes / 1e9);
  }
  return text;
}

void AlbumDownloadLink(const PageInput& in, std::vector<std::string>* out) {
  if (!in.made.album) return;
  const AlbumDownload& album = *in.made.album;
  out->push_back(
      "<a class=\"download\" href=" + Quoted(UrlEncodeName(album.name)) +
      " download>Download all (" + std::to_string(album.files) +
      (album.files == 1 ? " file, " : " files, ") + ShownBytes(album.bytes) +
      ")</a>");
}

void SidebarCard(const PageInput& in, std::vector<std::string>* out) {
  const std::string& sidebar = in.folder.sidebar_picture_name;
  const bool exists = in.made.sidebar_exists;
  const std::string& caption = in.folder.sidebar_picture_caption;
  out->push_back(
      "<figure class=\"sidebar\"><img src=" +
      Quoted(UrlEncodeRelativePath(in.made.sidebar_file)) +
      " alt=" + Quoted(exists ? AttributeText(caption) : HtmlEscape(sidebar)) +
      (exists ? SizeAttributes(in.made.sidebar_size) : "") + ">" +
      (caption.empty() ? "" : "<figcaption>" + caption + "</figcaption>") +
      "</figure>");
}

// "24 photos · 2 clips · 3 folders": what a subfolder holds of its own;
// "" when it holds nothing.
std::string Counts(const FolderPlan& folder) {
  int clips = 0;
  for (const EntryPlan& entry : folder.entries) clips += entry.movie ? 1 : 0;
  const int photos = static_cast<int>(folder.entries.size()) - clips;
  std::string counts;
  const auto add = [&counts](size_t count, const char* one, const char* more) {
    if (count == 0) return;
    if (!counts.empty()) counts += " \u00b7 ";
    counts += std::to_string(count) + " " + (count == 1 ? one : more);
  };
  add(photos, "photo", "photos");
  add(clips, "clip", "clips");
  add(folder.subfolders.size(), "folder", "folders");
  return counts;
}

// A subfolder's card: its cover, its caption and what it holds.
std::string FolderCard(const PageInput& in, size_t k) {
  const SubfolderLink& sub = in.folder.subfolders[k];
  std::string card =
      "<li><a href=" + Quoted(UrlEncodeName(sub.name) + "/index.html") + ">";
  if (k < in.made.covers.size() && in.made.covers[k]) {
    const FolderCover& cover = *in.made.covers[k];
    card += "<img src=" + Quoted(UrlEncodeRelativePath(cover.path)) +
            " alt=" + Quoted(cover.alt) + SizeAttributes(cover.size) +
            " loading=\"lazy\">";
  }
  card += "<span class=\"name\">" + sub.caption + "</span>";
  const std::string counts = Counts(in.plan.folders[sub.folder]);
  if (!counts.empty()) {
    card += " <span class=\"count\">" + counts + "</span>";
  }
  return card + "</a></li>";
}

void SubfolderCards(const PageInput& in, std::vector<std::string>* out) {
  if (in.page > 0) return;  // on the folder's first index page alone
  const bool listed =
      in.options.recurse_subdirectories && !in.folder.subfolders.empty();
  const bool has_sidebar = !in.folder.sidebar_picture_name.empty();
  if (!has_sidebar && !listed) return;
  out->push_back("<div class=\"subfolders\">");
  if (has_sidebar) SidebarCard(in, out);
  if (listed) {
    out->push_back("<ul class=\"folders\">");
    for (size_t k = 0; k < in.folder.subfolders.size(); ++k) {
      out->push_back(FolderCard(in, k));
    }
    out->push_back("</ul>");
  }
  out->push_back("</div>");
}

// The page's pictures, then the links to the folder's other index pages.
void ThumbnailGrid(const PageInput& in, std::vector<std::string>* out) {
  const auto [first, end] = PageRange(in);
  if (first == end) return;
  out->push_back("<ul class=\"grid\">");
  for (int i = first; i < end; ++i) {
    const EntryPlan& entry = in.folder.entries[i];
    std::string cell = (entry.movie ? "<li class=\"movie\"" : "<li") +
                       EntryAnchor(in, i) + ">";
    cell += "<figure><a href=" + Quoted(UrlEncodeName(entry.page));
    if (i == first) {
      cell += " name=\"navNext\"";
    } else if (i == end - 1) {
      cell += " name=\"navPrevious\"";
    }
    cell += ">" + GridImage(in, i) +
            (entry.movie ? "<span class=\"play\">Movie</span>" : "") +
            "</a><figcaption>" + ShownTitle(in, i) +
            "</figcaption></figure></li>";
    out->push_back(cell);
  }
  out->push_back("</ul>");
  PageNavigation(in, out);
}

// The copy and its half for the browser to choose from by the width the
// picture takes: the page's width less its padding (1.5rem), up to the
// copy's own width and the page's widest (90rem less its padding).
std::string SourceSet(const EntryPlan& entry, const EntryOutputs& made) {
  if (!made.copy_size || !made.half_size) return "";
  constexpr int kWidest = 1416, kPadding = 24;  // in CSS pixels
  const int shown = std::min(made.copy_size->width, kWidest);
  return " srcset=" +
         Quoted(UrlEncodeName(made.half) + " " +
                std::to_string(made.half_size->width) + "w, " +
                UrlEncodeName(entry.copy) + " " +
                std::to_string(made.copy_size->width) + "w") +
         " sizes=" +
         Quoted("(max-width: " + std::to_string(shown + kPadding) +
                "px) calc(100vw - 1.5rem), " + std::to_string(shown) + "px");
}

void PictureView(const PageInput& in, int i, std::vector<std::string>* out) {
  const EntryPlan& entry = in.folder.entries[i];
  if (entry.movie) return ClipView(in, i, out);
  const EntryOutputs& made = in.made.entries[i];
  const std::optional<PixelSize>& copy = made.copy_size;
  const std::string& source = copy ? entry.copy : entry.name;
  out->push_back("<a class=\"shot\" href=" + Quoted(UrlEncodeName(entry.name)) +
                 "><img src=" + Quoted(UrlEncodeName(source)) +
                 SourceSet(entry, made) + " alt=" + Quoted(Alt(in, i)) +
                 SizeAttributes(copy ? copy : entry.size) +
                 " fetchpriority=\"high\"></a>");
}

void PictureDetails(const PageInput& in, int i, std::vector<std::string>* out) {
  const EntryPlan& entry = in.folder.entries[i];
  const std::string caption = ShownCaption(in, i);
  if (!caption.empty()) {
    out->push_back("<p class=\"caption\">" + caption + "</p>");
  }
  // The original of a movie played from its web copy is for download.
  const bool download = !in.made.entries[i].web_video.empty();
  std::string details =
      "<p class=\"details\">" + DateAndCameraHtml(in, i) +
      "<a class=\"file\" href=" + Quoted(UrlEncodeName(entry.name)) +
      (download ? " download>" : ">") + HtmlEscape(entry.name) + "</a>";
  if (!entry.movie && entry.size) {
    details += " <span class=\"dims\">" + std::to_string(entry.size->width) +
               " \u00d7 " + std::to_string(entry.size->height) + "</span>";
  }
  out->push_back(details + "</p>");
}

const BlockCode kCodes[] = {
    {"uplink", BlockRole::kNone, UpLink},
    {"folderdescription", BlockRole::kNone, FolderDescription},
    {"albumdownload", BlockRole::kNone, AlbumDownloadLink},
    {"subfoldercards", BlockRole::kListsSubfolders, SubfolderCards},
    {"thumbnailgrid", BlockRole::kListsPictures, ThumbnailGrid},
    {"pictureview", BlockRole::kNone, nullptr, PictureView},
    {"picturedetails", BlockRole::kNone, nullptr, PictureDetails},
    {"sharetags", BlockRole::kNone, IndexShareTags, PictureShareTags},
};

// The modern templates, 300 px thumbnails (shown at about half that on a
// phone's sharper screen), mid-size pictures with copies for 1920x1080
// screens, movie thumbnails, and mp4, m4v and webm among the movies.
// Adds to the comma-separated `list` the `types` it lacks that `wanted`
// takes, and writes the list in one style: "jpg, jpeg, png".
void AddToList(std::string* list, std::initializer_list<const char*> types,
               const std::function<bool(std::string_view)>& wanted) {
  ExtensionTable table;
  table.AddExtensionList(*list, false);
  std::string joined;
  auto add = [&joined](std::string_view type) {
    if (type.empty()) return;
    joined += (joined.empty() ? "" : ", ") + std::string(type);
  };
  for (const KnownExtension& known : table.entries()) add(known.extension);
  for (const char* type : types) {
    if (table.FindExtensionIndex(type) < 0 && wanted(type)) add(type);
  }
  *list = joined;
}

void ApplyModern(OptionControls* controls) {
  controls->index_template_file = kModernIndexTemplate;
  controls->picture_template_file = kModernPictureTemplate;
  controls->thumbnail_maximum_width_or_height = "300";
  if (TrimBlanks(controls->pictures_per_page) == "0") {
    controls->pictures_per_page = "120";  // unless the person chose a number
  }
  // Copies sharp on a desktop's screen (their halves go to phones), unless
  // the person chose another screen than the default 800x600.
  if (controls->target_screen_resolution_index == 1) {
    controls->target_screen_resolution_index = 5;  // 1920x1080
  }
  controls->create_mid_size_files = CheckboxFromBoolean(true);
  controls->include_mid_size_picture = CheckboxFromBoolean(true);
  controls->create_movie_thumbnails = CheckboxFromBoolean(true);
  // Pictures browsers cannot show get copies, so they can be listed when
  // the image library reads them; the movies browsers play are listed.
  AddToList(&controls->picture_file_extensions,
            {"heic", "heif", "avif", "tif", "tiff", "webp"}, ImageLibraryReads);
  AddToList(&controls->movie_file_extensions, {"mp4", "m4v", "webm"},
            [](std::string_view) { return true; });
}

}  // namespace

const PageStyle& ModernStyle() {
  static const RootFile kRootFiles[] = {{"orvanta.css", kEmbeddedStyleSheet},
                                        {"orvanta.js", kEmbeddedScript}};
  static const PageStyle style{"modern",
                               "Modern",
                               ApplyModern,
                               kCodes,
                               kModernIndexTemplate,
                               kModernPictureTemplate,
                               kEmbeddedModernIndexTemplate,
                               kEmbeddedModernPictureTemplate,
                               kRootFiles};
  return style;
}

}  // namespace orvanta
