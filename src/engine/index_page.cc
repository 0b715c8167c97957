// Thumbnail table and subfolder navigation of index pages.
#include "engine/index_page.h"

#include "common/path_utils.h"
#include "common/text_utils.h"
#include "engine/folder_builder.h"
#include "engine/folder_info.h"
#include "engine/folder_scan.h"
#include "engine/html_text.h"
#include "engine/picture_page.h"

namespace orvanta {

std::string SidebarParagraph(RunContext& ctx, const FolderInfo& info) {
  return "<P>" + std::string(kCrLf) + BuildSidebarPictureHtml(ctx, info) +
         kCrLf + "</P>";
}

void WriteFilePage(RunContext& ctx, const FolderInfo& info,
                   const std::vector<std::string>& names, int index,
                   int level) {
  // Once the run is being abandoned no further page is asked about or
  // written, so an existing page is never emptied.
  const std::string page_path = info.folder_path + PageName(info, names[index]);
  if (!ctx.state.abort_processing && ConfirmOverwrite(ctx, page_path)) {
    WritePicturePage(ctx, info, names, index, page_path, level);
  }
  ++ctx.state.image_files_processed;
}

void WriteThumbnailRows(RunContext& ctx, const FolderInfo& info,
                        const std::vector<std::string>& names, TextWriter& page,
                        int level) {
  const int count = static_cast<int>(names.size());
  const int per_row = ctx.options.thumbnails_per_row;
  int column = 0;
  for (int i = 0; i < count; ++i) {
    const std::string& name = names[i];
    if (column == 0) page.WriteLine("<TR>");
    ++column;
    const std::string page_name = PageName(info, name);
    page.WriteLine("<TD VALIGN=\"BOTTOM\" ALIGN=\"CENTER\">");
    std::string cell = "<a href=\"" + UrlEncodeName(page_name) + "\"";
    if (i == 0) {
      cell += " name=\"navNext\"";
    } else if (i == count - 1) {
      cell += " name=\"navPrevious\"";
    }
    cell += ">";
    std::string thumbnail;
    bool is_movie = false;
    if (ThumbnailExists(ctx, info, name, &thumbnail, &is_movie)) {
      cell += " <IMG SRC=\"" +
              UrlEncodeName(thumbnail.substr(info.folder_path.size())) + "\">";
    } else if (!is_movie) {
      cell += " <IMG SRC=\"" + UrlEncodeName(name) + "\" WIDTH=" +
              std::to_string(ctx.options.thumbnail_maximum_width_or_height) +
              ">";
    } else {
      cell += HtmlEscape(name);
    }
    page.WriteLine(cell + "</a>");
    WriteFilePage(ctx, info, names, i, level);
    page.WriteLine("</TD>");
    if (column == per_row) {
      page.WriteLine("</TR>");
      column = 0;
    }
  }
  if (column != 0) {
    for (int pad = column; pad < per_row; ++pad) page.WriteLine("<TD></TD>");
    page.WriteLine("</TR>");
  }
  if (count == 1 && ctx.options.include_keyboard_navigation) {
    page.WriteLine("<TR><TD><a href=\"#\" name=\"navPrevious\"></a></TD></TR>");
  }
  if (!info.description.empty()) {
    page.WriteLine("<P>" + info.description + "</P>");
  }
}

void WriteSubfolderNavigation(RunContext& ctx, const FolderInfo& info,
                              const std::string& parent_title, TextWriter& page,
                              int level) {
  if (!parent_title.empty()) {
    page.WriteLine("<P><a href=\"../index.html\" name=\"navIndex\">Up to " +
                   parent_title + "</a></P>");
  }
  const std::vector<std::string> subfolders =
      ReadableSubfolders(ctx, info.folder_path);
  const bool has_sidebar = !info.sidebar_picture_name.empty();
  if (subfolders.empty()) {
    if (has_sidebar) page.WriteLine(SidebarParagraph(ctx, info));
    return;
  }
  if (has_sidebar) {
    page.WriteLine("<table><tr>" + std::string(kCrLf) + "<td>" +
                   BuildSidebarPictureHtml(ctx, info) + "</td>" + kCrLf +
                   "<td>");
  }
  page.WriteLine("<P>");
  for (const std::string& subfolder : subfolders) {
    page.WriteLine("<a href=\"" + UrlEncodeName(subfolder) + "/index.html\">" +
                   LookupSubfolderCaption(ctx, info, subfolder) + "</a><BR>");
    BuildFolderGallery(ctx, info.folder_path + subfolder, level + 1,
                       info.title);
  }
  page.WriteLine("</P>");
  if (has_sidebar)
    page.WriteLine("</td>" + std::string(kCrLf) + "</tr></table>");
}

}  // namespace orvanta
