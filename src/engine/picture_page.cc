// Writing picture pages.
#include "engine/picture_page.h"

#include "common/error.h"
#include "common/path_utils.h"
#include "common/text_utils.h"
#include "engine/folder_info.h"
#include "engine/folder_scan.h"
#include "engine/html_text.h"
#include "engine/nav_script.h"
#include "engine/templates.h"

namespace orvanta {
namespace {

void AskAbort(RunContext& ctx, const std::string& page_path,
              const Error& error) {
  Answer answer =
      ctx.ui.ShowMessage({kAppTitle,
                          "Error creating the html file " + page_path +
                              ".  Abort processing?" + kCrLf + error.what(),
                          Buttons::kYesNo, Icon::kWarning, 1});
  if (answer == Answer::kYes) ctx.state.abort_processing = true;
}

// Whether the picture is shown at mid size. The image tool reads its size
// from its header; when that is unknown, the option alone decides.
bool ShowMidSize(RunContext& ctx, const FolderInfo& info,
                 const std::string& name, const std::string& page_path) {
  const bool wanted = ctx.options.include_mid_size_picture;
  std::optional<PixelSize> size;
  try {
    size = ctx.image_tool->PictureSize(info.folder_path + name);
  } catch (const Error& e) {
    // A picture whose header cannot be read only leaves its size unknown.
    if (e.kind() != ErrorKind::kImageData) AskAbort(ctx, page_path, e);
    return wanted;
  }
  if (!size) return wanted;
  return wanted && (size->width > ctx.options.mid_size_maximum_width ||
                    size->height > ctx.options.mid_size_maximum_height);
}

std::string NavLink(const FolderInfo& info,
                    const std::vector<std::string>& names, int neighbour,
                    const char* link_name, const char* caption) {
  std::string target =
      neighbour < 0 || neighbour >= static_cast<int>(names.size())
          ? "index.html"
          : UrlEncodeName(PageName(info, names[neighbour]));
  return "<a href=\"" + target + "\" name=\"" + link_name + "\">" + caption +
         "</a>";
}

}  // namespace

std::string BuildPictureSource(RunContext& ctx, const FolderInfo& info,
                               const std::string& name,
                               const std::string& page_path) {
  const std::string href = UrlEncodeName(name);
  if (ctx.options.known_extensions.IsMovieFile(name)) {
    const std::string thumbnail = MovieThumbnailName(ctx.options, info, name);
    std::string block = "<a href=\"" + href + "\">";
    if (ctx.fs.FileExists(info.folder_path + thumbnail)) {
      return block + "<IMG SRC=\"" + UrlEncodeName(thumbnail) + "\"></a>";
    }
    return block + HtmlEscape(name) + "</a>";
  }
  const std::string img = "<IMG SRC=\"" + href + "\"";
  if (ShowMidSize(ctx, info, name, page_path)) {
    return "<a href=\"" + href + "\">" + img +
           " HEIGHT=" + std::to_string(ctx.options.mid_size_maximum_height) +
           "></a>";
  }
  return img + ">";
}

void WritePicturePage(RunContext& ctx, const FolderInfo& info,
                      const std::vector<std::string>& names, int index,
                      const std::string& page_path, int level) {
  if (ctx.state.abort_processing) return;
  const std::string& template_path = ctx.options.picture_template_path;
  const std::vector<std::string>* lines = nullptr;
  std::unique_ptr<TextWriter> page;
  try {
    lines = &ReadTemplateLines(ctx, template_path);
    page = ctx.fs.CreateTextFile(page_path);
  } catch (const Error& e) {
    AskAbort(ctx, page_path, e);
    return;
  }
  const std::string& name = names[index];
  const std::string title = LookupPictureTitle(info, name);
  try {
    for (const std::string& template_line : *lines) {
      std::string line = template_line;
      std::string code;
      ExpandTemplateLine(ctx, &line, &code, title, template_path);
      if (ctx.state.abort_processing) break;
      if (code == kCodeScriptInclude) {
        if (ctx.options.include_keyboard_navigation) {
          page->WriteLine(BuildScriptIncludeTag(level));
        }
      } else if (code == kCodePictureSource) {
        page->WriteLine(BuildPictureSource(ctx, info, name, page_path));
      } else if (code == kCodePictureDescription) {
        page->WriteLine(title);
      } else if (code == kCodeNavBack) {
        page->WriteLine(
            NavLink(info, names, index - 1, "navPrevious", "Previous"));
      } else if (code == kCodeNavForward) {
        page->WriteLine(NavLink(info, names, index + 1, "navNext", "Next"));
      } else {
        page->WriteLine(line);
      }
    }
    // Half made when the run was abandoned: the old page stays.
    if (ctx.state.abort_processing) {
      page->Discard();
    } else {
      page->Close();
    }
  } catch (const Error& e) {
    AskAbort(ctx, page_path, e);
  }
}

}  // namespace orvanta
