// The modern pages' blocks and the style's files.
#include "engine/modern_page.h"

#include "common/error.h"
#include "common/path_utils.h"
#include "common/text_utils.h"
#include "engine/folder_builder.h"
#include "engine/folder_info.h"
#include "engine/folder_scan.h"
#include "engine/html_text.h"
#include "engine/index_page.h"
#include "engine/mid_size.h"
#include "engine/picture_facts.h"
#include "imagetools/resample.h"

namespace orvanta {

extern const std::string_view kEmbeddedModernIndexTemplate;
extern const std::string_view kEmbeddedModernPictureTemplate;
extern const std::string_view kEmbeddedStyleSheet;
extern const std::string_view kEmbeddedScript;

namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// A picture's size as shown, read from its header (once a folder);
// nothing when unknown.
std::optional<PixelSize> SizeOf(RunContext& ctx, const std::string& path) {
  try {
    return ctx.PictureSize(path);
  } catch (const Error&) {
    return std::nullopt;
  }
}

std::string SizeAttributes(const std::optional<PixelSize>& size) {
  if (!size) return "";
  return " width=" + Quoted(std::to_string(size->width)) +
         " height=" + Quoted(std::to_string(size->height));
}

// The alt text of a file's picture: its title, else its name.
std::string Alt(const RunContext& ctx, const FolderInfo& info,
                const std::string& name) {
  const std::string alt = AttributeText(ShownTitle(ctx, info, name));
  return alt.empty() ? HtmlEscape(name) : alt;
}

// The picture of a file's grid cell: its thumbnail, else the picture
// itself at the thumbnail's size, else (a movie) its name.
std::string GridImage(RunContext& ctx, const FolderInfo& info,
                      const std::string& name) {
  std::string thumbnail;
  bool is_movie = false;
  const std::string alt = " alt=" + Quoted(Alt(ctx, info, name));
  if (ThumbnailExists(ctx, info, name, &thumbnail, &is_movie)) {
    return "<img src=" +
           Quoted(UrlEncodeName(thumbnail.substr(info.folder_path.size()))) +
           alt + SizeAttributes(SizeOf(ctx, thumbnail)) + " loading=\"lazy\">";
  }
  if (is_movie)
    return "<span class=\"nothumb\">" + HtmlEscape(name) + "</span>";
  const int box = ctx.options.thumbnail_maximum_width_or_height;
  PixelSize fitted{box, box};
  if (const auto size = SizeOf(ctx, info.folder_path + name)) {
    FitInside(size->width, size->height, box, &fitted.width, &fitted.height);
  }
  return "<img src=" + Quoted(UrlEncodeName(name)) + alt +
         SizeAttributes(fitted) + " loading=\"lazy\">";
}

// The type of a clip that browsers play; "" for others.
std::string PlayableType(const std::string& name) {
  const std::string extension = ToLowerAscii(ExtensionOf(name));
  if (extension == "mp4" || extension == "m4v") return "video/mp4";
  if (extension == "webm") return "video/webm";
  return "";
}

std::vector<std::string> ClipView(RunContext& ctx, const FolderInfo& info,
                                  const std::string& name) {
  const std::string href = Quoted(UrlEncodeName(name));
  const std::string thumbnail = MovieThumbnailName(ctx.options, info, name);
  const bool has_thumbnail = ctx.fs.FileExists(info.folder_path + thumbnail);
  const std::string size =
      has_thumbnail ? SizeAttributes(SizeOf(ctx, info.folder_path + thumbnail))
                    : "";
  const std::string type = PlayableType(name);
  if (type.empty()) {
    return {
        "<a class=\"shot clip\" href=" + href + " download>" +
        (has_thumbnail ? "<img src=" + Quoted(UrlEncodeName(thumbnail)) +
                             " alt=" + Quoted(Alt(ctx, info, name)) + size + ">"
                       : "") +
        "<span class=\"play\">Download " + HtmlEscape(name) + "</span></a>"};
  }
  return {
      "<video class=\"shot\" controls preload=\"metadata\"" +
          (has_thumbnail ? " poster=" + Quoted(UrlEncodeName(thumbnail)) + size
                         : "") +
          ">",
      "<source src=" + href + " type=" + Quoted(type) + ">",
      "<a href=" + href + ">" + HtmlEscape(name) + "</a>", "</video>"};
}

// The lines of an embedded file.
std::vector<std::string> LinesOf(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string line(text.substr(0, end));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

}  // namespace

void WriteUpLink(const std::string& parent_title, TextWriter& page) {
  if (parent_title.empty()) return;
  page.WriteLine(
      "<a class=\"up\" href=\"../index.html\" name=\"navIndex\">Up to " +
      parent_title + "</a>");
}

void WriteFolderDescription(const FolderInfo& info, TextWriter& page) {
  if (info.description.empty()) return;
  page.WriteLine("<p class=\"description\">" + info.description + "</p>");
}

void WriteSubfolderCards(RunContext& ctx, const FolderInfo& info,
                         TextWriter& page, int level) {
  const std::vector<std::string> subfolders =
      ctx.options.recurse_subdirectories
          ? ReadableSubfolders(ctx, info.folder_path)
          : std::vector<std::string>();
  const std::string& sidebar = info.sidebar_picture_name;
  if (sidebar.empty() && subfolders.empty()) return;
  page.WriteLine("<div class=\"subfolders\">");
  if (!sidebar.empty()) {
    const std::string path = info.folder_path + sidebar;
    const bool exists = ctx.fs.FileExists(path);
    const std::string& caption = info.sidebar_picture_caption;
    page.WriteLine(
        "<figure class=\"sidebar\"><img src=" +
        Quoted(UrlEncodeRelativePath(sidebar)) + " alt=" +
        Quoted(exists ? AttributeText(caption) : HtmlEscape(sidebar)) +
        (exists ? SizeAttributes(SizeOf(ctx, path)) : "") + ">" +
        (caption.empty() ? "" : "<figcaption>" + caption + "</figcaption>") +
        "</figure>");
  }
  if (!subfolders.empty()) {
    page.WriteLine("<ul class=\"folders\">");
    for (const std::string& subfolder : subfolders) {
      page.WriteLine(
          "<li><a href=" + Quoted(UrlEncodeName(subfolder) + "/index.html") +
          ">" + LookupSubfolderCaption(ctx, info, subfolder) + "</a></li>");
      BuildFolderGallery(ctx, info.folder_path + subfolder, level + 1,
                         info.title);
    }
    page.WriteLine("</ul>");
  }
  page.WriteLine("</div>");
}

void WriteThumbnailGrid(RunContext& ctx, const FolderInfo& info,
                        const std::vector<std::string>& names, TextWriter& page,
                        int level) {
  const int count = static_cast<int>(names.size());
  if (count == 0) return;
  page.WriteLine("<ul class=\"grid\">");
  for (int i = 0; i < count; ++i) {
    const std::string& name = names[i];
    const bool movie = ctx.options.known_extensions.IsMovieFile(name);
    std::string cell = movie ? "<li class=\"movie\">" : "<li>";
    cell += "<figure><a href=" + Quoted(UrlEncodeName(PageName(info, name)));
    if (i == 0) {
      cell += " name=\"navNext\"";
    } else if (i == count - 1) {
      cell += " name=\"navPrevious\"";
    }
    cell += ">" + GridImage(ctx, info, name) +
            (movie ? "<span class=\"play\">Movie</span>" : "") +
            "</a><figcaption>" + ShownTitle(ctx, info, name) +
            "</figcaption></figure></li>";
    page.WriteLine(cell);
    WriteFilePage(ctx, info, names, i, level);
  }
  page.WriteLine("</ul>");
}

std::vector<std::string> PictureView(RunContext& ctx, const FolderInfo& info,
                                     const std::string& name) {
  if (ctx.options.known_extensions.IsMovieFile(name)) {
    return ClipView(ctx, info, name);
  }
  const std::optional<PixelSize> size = SizeOf(ctx, info.folder_path + name);
  std::optional<PixelSize> shown = size;
  std::string source = name;
  try {
    if (const auto copy = ShownMidSizeCopy(ctx, info, name, size)) {
      shown = copy;
      source = MidSizeCopyName(ctx.options, info, name);
    }
  } catch (const Error&) {
    // A copy that cannot be read: the picture itself.
  }
  return {"<a class=\"shot\" href=" + Quoted(UrlEncodeName(name)) +
          "><img src=" + Quoted(UrlEncodeName(source)) +
          " alt=" + Quoted(Alt(ctx, info, name)) + SizeAttributes(shown) +
          " fetchpriority=\"high\"></a>"};
}

std::vector<std::string> PictureDetails(RunContext& ctx, const FolderInfo& info,
                                        const std::string& name) {
  std::vector<std::string> lines;
  const std::string caption = ShownCaption(ctx, info, name);
  if (!caption.empty())
    lines.push_back("<p class=\"caption\">" + caption + "</p>");
  std::string details =
      "<p class=\"details\">" + DateAndCameraHtml(ctx, info, name) +
      "<a class=\"file\" href=" + Quoted(UrlEncodeName(name)) + ">" +
      HtmlEscape(name) + "</a>";
  if (!ctx.options.known_extensions.IsMovieFile(name)) {
    if (const auto size = SizeOf(ctx, info.folder_path + name)) {
      details += " <span class=\"dims\">" + std::to_string(size->width) +
                 " \u00d7 " + std::to_string(size->height) + "</span>";
    }
  }
  lines.push_back(details + "</p>");
  return lines;
}

std::vector<std::string> ModernTemplateLines(bool index) {
  return LinesOf(index ? kEmbeddedModernIndexTemplate
                       : kEmbeddedModernPictureTemplate);
}

void WriteRootFiles(RunContext& ctx) {
  for (const auto& [name, text] : {std::pair<const char*, std::string_view>{
                                       kStyleSheetName, kEmbeddedStyleSheet},
                                   {kScriptName, kEmbeddedScript}}) {
    const std::string path = ctx.input_folder + name;
    if (ctx.fs.FileExists(path)) continue;
    try {
      auto writer = ctx.fs.CreateTextFile(path);
      for (const std::string& line : LinesOf(text)) writer->WriteLine(line);
      writer->Close();
    } catch (const Error& e) {
      ctx.ui.ShowMessage({"Error",
                          std::string("Error Creating Page Style File: ") +
                              e.what() + kCrLf +
                              "Be sure you have write permission for the "
                              "drive where the Photo Gallery Pictures reside " +
                              kCrLf + "(" + path + ")",
                          Buttons::kOk, Icon::kWarning, 1});
      ctx.state.abort_processing = true;
      return;
    }
  }
}

}  // namespace orvanta
