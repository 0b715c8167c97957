// Keyboard navigation: the NavFunctions.js script written into the
// gallery's root and the tag by which every page includes it.
#ifndef ORVANTA_ENGINE_NAV_SCRIPT_H_
#define ORVANTA_ENGINE_NAV_SCRIPT_H_

#include <string>
#include <vector>

#include "engine/run_context.h"

namespace orvanta {

inline constexpr char kNavScriptName[] = "NavFunctions.js";

// The script's lines (without line breaks).
const std::vector<std::string>& NavigationScriptLines();

// Creates or replaces `path` with the script. On failure shows the script
// error message and sets abort_processing; the file is then unchanged.
void WriteNavigationScript(RunContext& ctx, const std::string& path);

// The include tag for a page `level` folders deep (1 = the root):
// <Script Src="../NavFunctions.js" Language="javascript"></Script>.
std::string BuildScriptIncludeTag(int level);

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_NAV_SCRIPT_H_
