// The keyboard navigation script. The handler takes the event passed to it
// or the browser's window.event, finds the link by its name attribute and
// clicks it; a missing link is ignored. Pages call it as navHandler();.
#include "engine/nav_script.h"

#include "common/error.h"

namespace orvanta {

const std::vector<std::string>& NavigationScriptLines() {
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

void WriteNavigationScript(RunContext& ctx, const std::string& path) {
  try {
    auto writer = ctx.fs.CreateTextFile(path);
    for (const std::string& line : NavigationScriptLines()) {
      writer->WriteLine(line);
    }
    writer->Close();
  } catch (const Error& e) {
    ctx.ui.ShowMessage(
        {"Error",
         std::string("Error Creating Javascript Navigation File File: ") +
             e.what() + kCrLf +
             "Be sure you have write permission for the drive where the "
             "Photo Gallery Pictures reside " +
             kCrLf + "(" + path + ")",
         Buttons::kOk, Icon::kWarning, 1});
    ctx.state.abort_processing = true;
  }
}

std::string BuildScriptIncludeTag(int level) {
  std::string tag = "<Script Src=\"";
  for (int i = 1; i < level; ++i) tag += "../";
  tag += "NavFunctions.js\" Language=\"javascript\"></Script>";
  return tag;
}

}  // namespace orvanta
