// Page templates: the two default templates, writing them, and the
// expansion of "%code%" placeholders in a template line.
#ifndef ORVANTA_ENGINE_TEMPLATES_H_
#define ORVANTA_ENGINE_TEMPLATES_H_

#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "engine/run_context.h"

namespace orvanta {

// The lines of the default templates (without line breaks).
const std::vector<std::string>& DefaultIndexTemplateLines();
const std::vector<std::string>& DefaultPictureTemplateLines();

// Creates or replaces `path` with the index (or picture) template `lines`
// (the default template when none are given). On failure shows the
// template error message and sets abort_processing; the file is then
// unchanged.
void WriteDefaultTemplate(RunContext& ctx, const std::string& path, bool index,
                          const std::vector<std::string>* lines = nullptr);

// What the inline codes of a page stand for.
struct PageContext {
  std::string_view title;  // the page's title, HTML-ready (the title codes)
  int level = 1;           // 1 for the gallery's root (%RootPath%)
  const FolderInfo* folder = nullptr;    // the folder the page is of
  const std::string* picture = nullptr;  // the file of a picture page
};

// Expands the placeholders of *line in place. Inline codes are replaced by
// their text (`page.title` for the title codes, HTML-ready); a line
// holding a block code becomes empty and *block_code receives the code in
// lower case.
// A bad code (unknown, empty, or a "%" without its closing "%") shows the
// bad-code message naming the line and `template_path`, sets
// abort_processing and leaves in *line the text before the bad "%".
void ExpandTemplateLine(RunContext& ctx, std::string* line,
                        std::string* block_code, const PageContext& page,
                        std::string_view template_path);

// Whether a template line refers to the gallery's root files (orvanta.css,
// orvanta.js) through %RootPath%.
bool UsesRootFiles(const std::vector<std::string>& template_lines);

// The lines of the template at `path`, read once per run. Throws Error when
// the file cannot be read (and reads it again on the next call).
const std::vector<std::string>& ReadTemplateLines(RunContext& ctx,
                                                  const std::string& path);

// "Saturday, December 5, 2026" and "1:05 pm".
std::string FormatLongDate(const std::tm& when);
std::string FormatShortTime(const std::tm& when);

// The block codes the page writers handle.
inline constexpr char kCodeThumbnails[] = "thumbnails";
inline constexpr char kCodeSubdirNav[] = "subdirnav";
inline constexpr char kCodeScriptInclude[] = "navigationscriptincludepath";
inline constexpr char kCodePictureSource[] = "picturesource";
inline constexpr char kCodePictureDescription[] = "picturedescription";
inline constexpr char kCodeNavBack[] = "navback";
inline constexpr char kCodeNavForward[] = "navforward";
inline constexpr char kCodeDirectoryHeader[] = "directoryheader";
// The modern pages' blocks.
inline constexpr char kCodeUpLink[] = "uplink";
inline constexpr char kCodeFolderDescription[] = "folderdescription";
inline constexpr char kCodeSubfolderCards[] = "subfoldercards";
inline constexpr char kCodeThumbnailGrid[] = "thumbnailgrid";
inline constexpr char kCodePictureView[] = "pictureview";
inline constexpr char kCodePictureDetails[] = "picturedetails";

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_TEMPLATES_H_
