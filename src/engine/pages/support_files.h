// The files a run needs besides its pages: the page templates (written
// where they are missing), the keyboard navigation script and the page
// styles' files at the gallery's root. A file that cannot be written
// shows its message, naming it, and ends the run.
#ifndef ORVANTA_ENGINE_PAGES_SUPPORT_FILES_H_
#define ORVANTA_ENGINE_PAGES_SUPPORT_FILES_H_

#include <string>
#include <vector>

#include "engine/run_context.h"

namespace orvanta {

inline constexpr char kNavScriptName[] = "NavFunctions.js";

// Makes sure both templates exist (ctx.options' template paths may fall
// back to the default names in the program's folder). Sets *index_reset
// and *picture_reset when a template fell back. A failure sets
// abort_processing.
void WriteTemplates(RunContext& ctx, bool* index_reset, bool* picture_reset);

// Writes the script and the root files the templates need at the
// gallery's root, where they are missing. A failure sets abort_processing.
void WriteRootSupportFiles(RunContext& ctx);

// The names of the files at the gallery's root this run has: the script,
// the style's files.
std::vector<std::string> RootSupportFileNames(RunContext& ctx);

// Writes `lines` to `path`; on failure shows "Error Creating WHAT: reason",
// where to check for permission (`where`: "the ... reside ") and the file,
// and sets abort_processing.
void WriteFileLines(RunContext& ctx, const std::string& path,
                    const std::vector<std::string>& lines,
                    const std::string& what, const char* where);

// The lines of the template at `path`, read once per run. Throws Error when
// the file cannot be read (and reads it again on the next call).
const std::vector<std::string>& ReadTemplateLines(RunContext& ctx,
                                                  const std::string& path);

// Whether either template's lines satisfy `holds`; false when one cannot
// be read (the pages report it).
bool EitherTemplate(RunContext& ctx,
                    bool (*holds)(const std::vector<std::string>&));

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_PAGES_SUPPORT_FILES_H_
