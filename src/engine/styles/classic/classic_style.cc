// The classic style's blocks and default templates.
#include "engine/styles/classic/classic_style.h"

#include "common/conversions.h"
#include "common/html_text.h"
#include "engine/plan/folder_info.h"
#include "engine/plan/output_names.h"
#include "engine/styles/page_text.h"

namespace orvanta {
namespace {

constexpr char kCrLf[] = "\r\n";

// The head shared by both templates; the pages are written as UTF-8.
std::vector<std::string> TemplateHead(const char* title_code) {
  return {
      "<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 3.2//EN\">",
      "<HTML>",
      "  <HEAD>",
      "    <META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
      "charset=utf-8\">",
      "    <META NAME=\"GENERATOR\" CONTENT=\"Tessaly Orvanta Cataloger\">",
      "    <TITLE>",
      std::string("      ") + title_code,
      "    </TITLE>",
      "    %NavigationScriptIncludePath%",
      "  </HEAD>",
  };
}

// The thumbnail of entry `i` in its table cell: its thumbnail, else the
// picture itself at the thumbnail's width, else (a movie) its name.
std::string CellPicture(const PageInput& in, int i) {
  const EntryPlan& entry = in.folder.entries[i];
  const std::string& thumbnail = in.made.entries[i].thumbnail;
  if (!thumbnail.empty()) {
    return " <IMG SRC=\"" + UrlEncodeName(thumbnail) + "\">";
  }
  if (entry.movie) return HtmlEscape(entry.name);
  return " <IMG SRC=\"" + UrlEncodeName(entry.name) + "\" WIDTH=" +
         std::to_string(in.options.thumbnail_maximum_width_or_height) + ">";
}

void ThumbnailRows(const PageInput& in, std::vector<std::string>* out) {
  const auto [first, end] = PageRange(in);
  const int count = end - first;
  const int per_row = in.options.thumbnails_per_row;
  int column = 0;
  for (int i = first; i < end; ++i) {
    if (column == 0) out->push_back("<TR>");
    ++column;
    out->push_back("<TD VALIGN=\"BOTTOM\" ALIGN=\"CENTER\">");
    std::string cell = "<a" + EntryAnchor(in, i) + " href=\"" +
                       UrlEncodeName(in.folder.entries[i].page) + "\"";
    if (i == first) {
      cell += " name=\"navNext\"";
    } else if (i == end - 1) {
      cell += " name=\"navPrevious\"";
    }
    out->push_back(cell + ">" + CellPicture(in, i) + "</a>");
    out->push_back("</TD>");
    if (column == per_row) {
      out->push_back("</TR>");
      column = 0;
    }
  }
  if (column != 0) {
    for (int pad = column; pad < per_row; ++pad) out->push_back("<TD></TD>");
    out->push_back("</TR>");
  }
  if (count == 1 && in.options.include_keyboard_navigation) {
    out->push_back("<TR><TD><a href=\"#\" name=\"navPrevious\"></a></TD></TR>");
  }
  if (!in.folder.description.empty()) {
    out->push_back("<P>" + in.folder.description + "</P>");
  }
}

// The sidebar picture's img tag, followed by "<BR>", a line break and the
// caption when there is a caption.
std::string SidebarPictureHtml(const PageInput& in) {
  const std::string& name = in.folder.sidebar_picture_name;
  const std::string& caption = in.folder.sidebar_picture_caption;
  const std::string alt = in.made.sidebar_exists ? caption : name;
  std::string html = "<img src=\"" + UrlEncodeRelativePath(name) + "\" alt=\"" +
                     HtmlEscape(alt) + "\">";
  if (!caption.empty()) html += "<BR>" + std::string(kCrLf) + caption;
  return html;
}

std::string SidebarParagraph(const PageInput& in) {
  return "<P>" + std::string(kCrLf) + SidebarPictureHtml(in) + kCrLf + "</P>";
}

// The way up, the subfolders' links and the sidebar picture; without
// subfolders on, the sidebar picture alone.
void SubfolderNavigation(const PageInput& in, std::vector<std::string>* out) {
  const FolderPlan& folder = in.folder;
  const bool has_sidebar = !folder.sidebar_picture_name.empty();
  if (in.page > 0) return;  // on the folder's first index page alone
  if (!in.options.recurse_subdirectories) {
    if (has_sidebar) out->push_back(SidebarParagraph(in));
    return;
  }
  if (!folder.parent_title.empty()) {
    out->push_back("<P><a href=\"../index.html\" name=\"navIndex\">Up to " +
                   folder.parent_title + "</a></P>");
  }
  if (folder.subfolders.empty()) {
    if (has_sidebar) out->push_back(SidebarParagraph(in));
    return;
  }
  if (has_sidebar) {
    out->push_back("<table><tr>" + std::string(kCrLf) + "<td>" +
                   SidebarPictureHtml(in) + "</td>" + kCrLf + "<td>");
  }
  out->push_back("<P>");
  for (const SubfolderLink& sub : folder.subfolders) {
    out->push_back("<a href=\"" + UrlEncodeName(sub.name) + "/index.html\">" +
                   sub.caption + "</a><BR>");
  }
  out->push_back("</P>");
  if (has_sidebar)
    out->push_back("</td>" + std::string(kCrLf) + "</tr></table>");
}

void DirectoryHeader(const PageInput& in, std::vector<std::string>* out) {
  out->push_back("<H2>" + in.folder.title + "</H2>");
}

void ScriptOnIndex(const PageInput& in, std::vector<std::string>* out) {
  if (in.options.include_keyboard_navigation) {
    out->push_back(BuildScriptIncludeTag(in.folder.level));
  }
}

void ScriptOnPicture(const PageInput& in, int, std::vector<std::string>* out) {
  ScriptOnIndex(in, out);
}

// The picture (its web-size copy when there is one, or scaled to the
// mid-size height when larger), or a movie's thumbnail, linked to the file.
void PictureSource(const PageInput& in, int i, std::vector<std::string>* out) {
  const EntryPlan& entry = in.folder.entries[i];
  const EntryOutputs& made = in.made.entries[i];
  const std::string href = UrlEncodeName(entry.name);
  const std::string link = "<a href=\"" + href + "\">";
  if (entry.movie) {
    out->push_back(
        link +
        (made.thumbnail.empty()
             ? HtmlEscape(entry.name)
             : "<IMG SRC=\"" + UrlEncodeName(made.thumbnail) + "\">") +
        "</a>");
    return;
  }
  if (const auto& copy = made.copy_size) {
    out->push_back(link + "<IMG SRC=\"" + UrlEncodeName(entry.copy) +
                   "\" WIDTH=" + std::to_string(copy->width) +
                   " HEIGHT=" + std::to_string(copy->height) + "></a>");
    return;
  }
  const std::string img = "<IMG SRC=\"" + href + "\"";
  // Shown at mid size when larger than the bounds; when the size is
  // unknown, the option alone decides.
  const auto& size = entry.size;
  const bool larger = !size || LargerThanCopyBounds(in.options, *size);
  if (in.options.include_mid_size_picture && larger) {
    out->push_back(link + img + " HEIGHT=" +
                   std::to_string(in.options.mid_size_maximum_height) +
                   "></a>");
    return;
  }
  out->push_back(img + ">");
}

void PictureDescription(const PageInput& in, int i,
                        std::vector<std::string>* out) {
  out->push_back(ShownTitle(in, i));
}

std::string NavLink(const PageInput& in, int neighbour, const char* link_name,
                    const char* caption) {
  const auto& entries = in.folder.entries;
  const std::string target =
      neighbour < 0 || neighbour >= static_cast<int>(entries.size())
          ? "index.html"
          : UrlEncodeName(entries[neighbour].page);
  return "<a href=\"" + target + "\" name=\"" + link_name + "\">" + caption +
         "</a>";
}

void NavBack(const PageInput& in, int i, std::vector<std::string>* out) {
  out->push_back(NavLink(in, i - 1, "navPrevious", "Previous"));
}

void NavForward(const PageInput& in, int i, std::vector<std::string>* out) {
  out->push_back(NavLink(in, i + 1, "navNext", "Next"));
}

const BlockCode kCodes[] = {
    {"thumbnails", BlockRole::kListsPictures, ThumbnailRows},
    {"subdirnav", BlockRole::kListsSubfolders, SubfolderNavigation},
    {"navigationscriptincludepath", BlockRole::kNone, ScriptOnIndex,
     ScriptOnPicture},
    {"directoryheader", BlockRole::kNone, DirectoryHeader},
    {"picturesource", BlockRole::kNone, nullptr, PictureSource},
    {"picturedescription", BlockRole::kNone, nullptr, PictureDescription},
    {"navback", BlockRole::kNone, nullptr, NavBack},
    {"navforward", BlockRole::kNone, nullptr, NavForward},
    {"pagenavigation", BlockRole::kNone, PageNavigation},
};

// The default templates, 150 px thumbnails and no copies.
void ApplyClassic(OptionControls* controls) {
  controls->index_template_file = kDefaultIndexTemplate;
  controls->picture_template_file = kDefaultPictureTemplate;
  controls->thumbnail_maximum_width_or_height = "150";
  controls->create_mid_size_files = CheckboxFromBoolean(false);
}

}  // namespace

const PageStyle& ClassicStyle() {
  static const PageStyle style{.name = "classic",
                               .label = "Classic",
                               .apply = ApplyClassic,
                               .codes = kCodes,
                               .index_template = kDefaultIndexTemplate,
                               .picture_template = kDefaultPictureTemplate};
  return style;
}

const std::vector<std::string>& DefaultIndexTemplateLines() {
  static const std::vector<std::string> lines = [] {
    std::vector<std::string> l = TemplateHead("%DirectoryTitle%");
    for (const char* rest :
         {"  <BODY BGCOLOR=\"#FFFFFF\" %NavigationOnKeyDownEvent%>",
          "  <H2>%directoryheader%</H2>", "", "  %SubdirNav%", "", "  <TABLE>",
          "    %Thumbnails%", "  </TABLE>", "", "  </BODY>", "</HTML>"}) {
      l.push_back(rest);
    }
    return l;
  }();
  return lines;
}

const std::vector<std::string>& DefaultPictureTemplateLines() {
  static const std::vector<std::string> lines = [] {
    std::vector<std::string> l = TemplateHead("%PictureTitle%");
    for (const char* rest : {
             "  <BODY BGCOLOR=\"#FFFFFF\" onkeydown=navHandler();>",
             "  <TABLE WIDTH=725>",
             "    <TR HEIGHT=480>",
             "    <TD COLSPAN=4 ALIGN=\"Center\">",
             "      %PictureSource%",
             "    </TD>",
             "    </TR>",
             "    <TR>",
             "    <TD WIDTH=575 ALIGN=\"Left\">",
             "      %PictureDescription%",
             "    </TD>",
             "    <TD WIDTH=50 ALIGN=\"Center\">",
             "      %NavBack%",
             "    </TD>",
             "    <TD WIDTH=50 ALIGN=\"Center\">",
             "      %NavIndex%",
             "    </TD>",
             "    <TD WIDTH=50 ALIGN=\"Center\">",
             "      %NavForward%",
             "    </TD>",
             "    </TR>",
             "  </TABLE>",
             "  </BODY>",
             "</HTML>",
         }) {
      l.push_back(rest);
    }
    return l;
  }();
  return lines;
}

}  // namespace orvanta
