// Page templates: the expansion of "%code%" placeholders in a template
// line, and what a template's lines hold.
#ifndef ORVANTA_ENGINE_STYLES_TEMPLATES_H_
#define ORVANTA_ENGINE_STYLES_TEMPLATES_H_

#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "engine/plan/gallery_plan.h"

namespace orvanta {

// What the inline codes of a page stand for.
struct PageContext {
  std::string_view title;  // the page's title, HTML-ready (the title codes)
  int level = 1;           // 1 for the gallery's root (%RootPath%)
  const FolderPlan* folder = nullptr;    // the folder the page is of
  const std::string* picture = nullptr;  // the file of a picture page
  std::tm now{};                         // the run's date and time
  bool keyboard_navigation = false;      // %NavigationOnKeyDownEvent%
  // Where a picture page's %NavIndex% leads: the index page listing it.
  std::string_view index_link = "index.html";
  // The folder's heading, HTML-ready (%FolderHeading%): its user's title or
  // its own name, with " - page 2 of 3" on later index pages.
  std::string_view heading = {};
};

// Expands the placeholders of *line in place. Inline codes are replaced by
// their text (`page.title` for the title codes, HTML-ready); a line
// holding a block code becomes empty and *block_code receives the code in
// lower case. Returns false for a bad code (unknown, empty, or a "%"
// without its closing "%"), leaving in *line the text before the bad "%".
bool ExpandTemplateLine(const PageContext& page, std::string* line,
                        std::string* block_code);

// Whether template lines hold "%code%" (`code` in lower case), in any case.
bool TemplateHolds(const std::vector<std::string>& lines,
                   std::string_view code);

// Whether a template line refers to the gallery's root files (orvanta.css,
// orvanta.js) through %RootPath%.
bool UsesRootFiles(const std::vector<std::string>& template_lines);

// "Saturday, December 5, 2026" and "1:05 pm".
std::string FormatLongDate(const std::tm& when);
std::string FormatShortTime(const std::tm& when);
// "December" for 12.
std::string MonthName(int month);

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_STYLES_TEMPLATES_H_
