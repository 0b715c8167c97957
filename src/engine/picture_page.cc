// Writing picture pages.
#include "engine/picture_page.h"

#include "common/error.h"
#include "common/path_utils.h"
#include "common/text_utils.h"
#include "engine/folder_info.h"
#include "engine/folder_scan.h"
#include "engine/html_text.h"
#include "engine/mid_size.h"
#include "engine/modern_page.h"
#include "engine/nav_script.h"
#include "engine/picture_facts.h"
#include "engine/templates.h"

namespace orvanta {
namespace {

// A FIFO or device at the page's place is only listed.
void AskAbort(RunContext& ctx, const std::string& page_path,
              const Error& error) {
  if (error.kind() == ErrorKind::kNotRegularFile) {
    ctx.ListNotRegular(error);
    return;
  }
  Answer answer =
      ctx.ui.ShowMessage({kAppTitle,
                          "Error creating the html file " + page_path +
                              ".  Abort processing?" + kCrLf + error.what(),
                          Buttons::kYesNo, Icon::kWarning, 1});
  if (answer == Answer::kYes) ctx.state.abort_processing = true;
}

// The picture's size as shown, read from its header by the image tool;
// nothing when unknown (the converter tells none; a header that cannot be
// read only leaves it unknown, a file that cannot be read asks first).
std::optional<PixelSize> ShownSize(RunContext& ctx, const FolderInfo& info,
                                   const std::string& name,
                                   const std::string& page_path) {
  try {
    return ctx.PictureSize(info.folder_path + name);
  } catch (const Error& e) {
    if (e.kind() != ErrorKind::kImageData) AskAbort(ctx, page_path, e);
    return std::nullopt;
  }
}

// The picture's mid-size copy, when the page shows one.
std::optional<PixelSize> CopyShown(RunContext& ctx, const FolderInfo& info,
                                   const std::string& name,
                                   const std::optional<PixelSize>& size) {
  try {
    return ShownMidSizeCopy(ctx, info, name, size);
  } catch (const Error&) {
    return std::nullopt;  // a copy that cannot be read: the picture itself
  }
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

// The lines that stand for a template line holding `code` on the page of
// names[index] (the expanded line itself when it holds no block code).
std::vector<std::string> PageBlock(RunContext& ctx, const std::string& code,
                                   const std::string& line,
                                   const FolderInfo& info,
                                   const std::vector<std::string>& names,
                                   int index, const std::string& page_path,
                                   int level) {
  const std::string& name = names[index];
  if (code == kCodeScriptInclude) {
    if (!ctx.options.include_keyboard_navigation) return {};
    return {BuildScriptIncludeTag(level)};
  }
  if (code == kCodePictureSource) {
    return {BuildPictureSource(ctx, info, name, page_path)};
  }
  if (code == kCodePictureDescription) return {ShownTitle(ctx, info, name)};
  if (code == kCodeNavBack) {
    return {NavLink(info, names, index - 1, "navPrevious", "Previous")};
  }
  if (code == kCodeNavForward) {
    return {NavLink(info, names, index + 1, "navNext", "Next")};
  }
  if (code == kCodePictureView) return PictureView(ctx, info, name);
  if (code == kCodePictureDetails) return PictureDetails(ctx, info, name);
  return {line};
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
  const std::optional<PixelSize> size = ShownSize(ctx, info, name, page_path);
  const std::string link = "<a href=\"" + href + "\">";
  if (const auto copy = CopyShown(ctx, info, name, size)) {
    return link + "<IMG SRC=\"" +
           UrlEncodeName(MidSizeCopyName(ctx.options, info, name)) +
           "\" WIDTH=" + std::to_string(copy->width) +
           " HEIGHT=" + std::to_string(copy->height) + "></a>";
  }
  const std::string img = "<IMG SRC=\"" + href + "\"";
  // Shown at mid size when larger than the bounds; when the size is
  // unknown, the option alone decides.
  const bool larger = !size ||
                      size->width > ctx.options.mid_size_maximum_width ||
                      size->height > ctx.options.mid_size_maximum_height;
  if (ctx.options.include_mid_size_picture && larger) {
    return link + img +
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
  const std::string title = ShownTitle(ctx, info, name);
  const PageContext context{title, level, &info, &name};
  try {
    for (const std::string& template_line : *lines) {
      std::string line = template_line;
      std::string code;
      ExpandTemplateLine(ctx, &line, &code, context, template_path);
      if (ctx.state.abort_processing) break;
      for (const std::string& out :
           PageBlock(ctx, code, line, info, names, index, page_path, level)) {
        page->WriteLine(out);
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
