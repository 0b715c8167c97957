// Default templates and placeholder expansion.
#include "engine/styles/templates.h"

#include <array>
#include <optional>

#include "common/error.h"
#include "common/html_text.h"
#include "common/text_utils.h"
#include "engine/styles/page_style.h"

namespace orvanta {
namespace {

constexpr char kAboutProgrammer[] =
    "Orvanta Cataloger program written by <a "
    "href=\"https://orvanta.example.org/\">the Orvanta developers</a>";
constexpr char kKeyDownCall[] = "onkeydown=navHandler();";

// The page's description for search engines and link previews: the
// folder's description, else "Photo gallery: " and its title; on a picture
// page the picture's title and the folder's.
std::string MetaDescription(const PageContext& page) {
  const std::string folder_title =
      page.folder != nullptr ? AttributeText(page.folder->title) : "";
  if (page.picture != nullptr) {
    return AttributeText(page.title) + " \u2013 " + folder_title;
  }
  if (page.folder != nullptr && !page.folder->description.empty()) {
    return AttributeText(page.folder->description);
  }
  return "Photo gallery: " + folder_title;
}

// The text of an inline code on `page`; nothing when `code` is not an
// inline code.
std::optional<std::string> InlineCodeText(const std::string& code,
                                          const PageContext& page) {
  if (code == "directorytitle" || code == "picturetitle") {
    return std::string(page.title);
  }
  if (code == "rootpath") {
    std::string path;
    for (int i = 1; i < page.level; ++i) path += "../";
    return path;
  }
  if (code == "folderheading") return std::string(page.heading);
  if (code == "foldertitle") {
    return page.folder != nullptr ? page.folder->title : "";
  }
  if (code == "metadescription") return MetaDescription(page);
  if (code == "date") return FormatLongDate(page.now);
  if (code == "time") return FormatShortTime(page.now);
  if (code == "aboutprogrammer") return kAboutProgrammer;
  if (code == "navindex") {
    return "<a href=\"" + std::string(page.index_link) +
           "\" name=\"navIndex\">Index</a>";
  }
  if (code == "navigationonkeydownevent") {
    return page.keyboard_navigation ? kKeyDownCall : "";
  }
  return std::nullopt;
}

}  // namespace

std::string FormatLongDate(const std::tm& when) {
  static constexpr std::array<const char*, 7> kDays = {
      "Sunday",   "Monday", "Tuesday", "Wednesday",
      "Thursday", "Friday", "Saturday"};
  return std::string(kDays[when.tm_wday % 7]) + ", " +
         MonthName(when.tm_mon % 12 + 1) + " " + std::to_string(when.tm_mday) +
         ", " + std::to_string(when.tm_year + 1900);
}

std::string MonthName(int month) {
  static constexpr std::array<const char*, 12> kMonths = {
      "January", "February", "March",     "April",   "May",      "June",
      "July",    "August",   "September", "October", "November", "December"};
  return kMonths[(month + 11) % 12];
}

std::string FormatShortTime(const std::tm& when) {
  int hour = when.tm_hour % 12;
  if (hour == 0) hour = 12;
  char minutes[3] = {static_cast<char>('0' + when.tm_min / 10),
                     static_cast<char>('0' + when.tm_min % 10), 0};
  return std::to_string(hour) + ":" + minutes +
         (when.tm_hour < 12 ? " am" : " pm");
}

bool TemplateHolds(const std::vector<std::string>& lines,
                   std::string_view code) {
  const std::string marked = "%" + std::string(code) + "%";
  for (const std::string& line : lines) {
    if (ToLowerAscii(line).find(marked) != std::string::npos) return true;
  }
  return false;
}

bool UsesRootFiles(const std::vector<std::string>& template_lines) {
  return TemplateHolds(template_lines, "rootpath");
}

bool ExpandTemplateLine(const PageContext& page, std::string* line,
                        std::string* block_code) {
  const std::string& text = *line;
  std::string result;
  result.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] != '%') {
      result += text[i++];
      continue;
    }
    block_code->clear();
    const size_t j = text.find('%', i + 1);
    if (j != std::string::npos) {
      *block_code =
          ToLowerAscii(std::string_view(text).substr(i + 1, j - i - 1));
      if (auto replacement = InlineCodeText(*block_code, page)) {
        result += *replacement;
        i = j + 1;
        continue;
      }
      if (FindBlockCode(*block_code) != nullptr) {
        line->clear();
        return true;
      }
    }
    *line = std::move(result);
    return false;
  }
  *line = std::move(result);
  return true;
}

}  // namespace orvanta
