// Templates, the keyboard script and the styles' root files. The script
// handler takes the event passed to it or the browser's window.event,
// finds the link by its name attribute and clicks it; a missing link is
// ignored. Pages call it as navHandler();.
#include "engine/pages/support_files.h"

#include "common/path_utils.h"
#include "engine/styles/classic/classic_style.h"
#include "engine/styles/page_style.h"
#include "engine/styles/templates.h"

namespace orvanta {
namespace {

const std::vector<std::string>& ScriptLines() {
  static const std::vector<std::string> lines = {
      " function navHandler(e) {",
      "     var ev = e || window.event;",
      "     if (!ev) return;",
      "     var name;",
      "     switch (ev.keyCode) {",
      "         /* Go to next picture */",
      "         case 32:        // Space",
      "         case 39:        // Right arrow",
      "             name = \"navNext\";",
      "             break;",
      "         /* Go to previous picture */",
      "         case 37:        // Left arrow",
      "             name = \"navPrevious\";",
      "             break;",
      "         /* Go up to index */",
      "         case 36:        // Home",
      "         case 27:        // Escape",
      "             name = \"navIndex\";",
      "             break;",
      "         /* Ignore the key otherwise */",
      "         default:",
      "             return;",
      "     }",
      "     var links = document.getElementsByName(name);",
      "     if (links.length == 0) return;",
      "     if (ev.preventDefault) ev.preventDefault();",
      "     links[0].click();",
      " }",
  };
  return lines;
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

void WriteTemplate(RunContext& ctx, const std::string& path, bool index,
                   const std::vector<std::string>& lines) {
  WriteFileLines(
      ctx, path, lines,
      std::string("HTML ") + (index ? "Index" : "Picture") + " Template File",
      "the Orvanta program resides ");
}

// Makes sure the template at *path exists: a style's own templates are
// written where they are missing; for others the run falls back to the
// default name in the program's folder (a file of that name that exists
// already is kept and used). Returns true when it fell back.
bool EnsureTemplate(RunContext& ctx, std::string* path,
                    const char* default_name, bool index) {
  if (ctx.fs.FileExists(*path)) return false;
  const std::string name = FileNameOf(*path);
  for (const PageStyle& style : PageStyles()) {
    const char* own = index ? style.index_template : style.picture_template;
    const std::string_view text =
        index ? style.index_template_text : style.picture_template_text;
    if (own != nullptr && name == own && !text.empty()) {
      WriteTemplate(ctx, *path, index, LinesOf(text));
      return false;
    }
  }
  *path = JoinPathCopy(ctx.settings.program_folder, default_name);
  if (!ctx.fs.FileExists(*path)) {
    WriteTemplate(
        ctx, *path, index,
        index ? DefaultIndexTemplateLines() : DefaultPictureTemplateLines());
  }
  return true;
}

// The styles' files at the root, each written once and never changed.
void WriteRootFiles(RunContext& ctx) {
  for (const PageStyle& style : PageStyles()) {
    for (const RootFile& file : style.root_files) {
      const std::string path = ctx.output_folder + file.name;
      if (ctx.fs.FileExists(path)) continue;
      WriteFileLines(ctx, path, LinesOf(file.text), "Page Style File",
                     "the Photo Gallery Pictures reside ");
      if (ctx.state.abort_processing) return;
    }
  }
}

}  // namespace

void WriteFileLines(RunContext& ctx, const std::string& path,
                    const std::vector<std::string>& lines,
                    const std::string& what, const char* where) {
  try {
    auto writer = ctx.fs.CreateTextFile(path);
    for (const std::string& line : lines) writer->WriteLine(line);
    writer->Close();
  } catch (const Error& e) {
    ctx.ui.ShowMessage({"Error",
                        "Error Creating " + what + ": " + e.what() + kCrLf +
                            "Be sure you have write permission for the "
                            "drive where " +
                            where + kCrLf + "(" + path + ")",
                        Buttons::kOk, Icon::kWarning, 1});
    ctx.state.abort_processing = true;
  }
}

void WriteTemplates(RunContext& ctx, bool* index_reset, bool* picture_reset) {
  *index_reset = EnsureTemplate(ctx, &ctx.options.index_template_path,
                                kDefaultIndexTemplate, true);
  *picture_reset = EnsureTemplate(ctx, &ctx.options.picture_template_path,
                                  kDefaultPictureTemplate, false);
}

void WriteRootSupportFiles(RunContext& ctx) {
  const std::string script = ctx.output_folder + kNavScriptName;
  if (ctx.options.include_keyboard_navigation && !ctx.fs.FileExists(script)) {
    WriteFileLines(ctx, script, ScriptLines(),
                   "Javascript Navigation File File",
                   "the Photo Gallery Pictures reside ");
    if (ctx.state.abort_processing) return;
  }
  if (EitherTemplate(ctx, UsesRootFiles)) WriteRootFiles(ctx);
}

std::vector<std::string> RootSupportFileNames(RunContext& ctx) {
  std::vector<std::string> names;
  if (ctx.options.include_keyboard_navigation) names.push_back(kNavScriptName);
  if (!EitherTemplate(ctx, UsesRootFiles)) return names;
  for (const PageStyle& style : PageStyles()) {
    for (const RootFile& file : style.root_files) names.push_back(file.name);
  }
  return names;
}

const std::vector<std::string>& ReadTemplateLines(RunContext& ctx,
                                                  const std::string& path) {
  auto cached = ctx.template_cache.find(path);
  if (cached != ctx.template_cache.end()) return cached->second;
  std::vector<std::string> lines;
  auto reader = ctx.fs.OpenTextFile(path);
  std::string line;
  while (reader->ReadLine(&line)) lines.push_back(line);
  return ctx.template_cache.emplace(path, std::move(lines)).first->second;
}

bool EitherTemplate(RunContext& ctx,
                    bool (*holds)(const std::vector<std::string>&)) {
  try {
    return holds(ReadTemplateLines(ctx, ctx.options.index_template_path)) ||
           holds(ReadTemplateLines(ctx, ctx.options.picture_template_path));
  } catch (const Error&) {
    return false;
  }
}

}  // namespace orvanta
