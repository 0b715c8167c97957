// Default templates and placeholder expansion.
#include "engine/templates.h"

#include <array>
#include <optional>

#include "common/error.h"
#include "common/text_utils.h"
#include "engine/html_text.h"

namespace orvanta {
namespace {

constexpr char kAboutProgrammer[] =
    "Orvanta Cataloger program written by <a "
    "href=\"https://orvanta.example.org/\">the Orvanta developers</a>";
constexpr char kNavIndexLink[] =
    "<a href=\"index.html\" name=\"navIndex\">Index</a>";
constexpr char kKeyDownCall[] = "onkeydown=navHandler();";

// The head shared by both templates; the pages are written as UTF-8.
std::vector<std::string> TemplateHead(const char* title_code) {
  return {
      "<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 3.2//EN\">",
      "<HTML>",
      "  <HEAD>",
      "    <META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
      "charset=utf-8\">",
      "    <META NAME=\"GENERATOR\" CONTENT=\"Tessaly Orvanta Cataloger\">",
      "    <TITLE>",
      std::string("      ") + title_code,
      "    </TITLE>",
      "    %NavigationScriptIncludePath%",
      "  </HEAD>",
  };
}

bool IsBlockCode(const std::string& code) {
  static const std::array<const char*, 14> kBlockCodes = {
      kCodeThumbnails,        kCodeSubdirNav,          kCodeScriptInclude,
      kCodePictureSource,     kCodePictureDescription, kCodeNavBack,
      kCodeNavForward,        kCodeDirectoryHeader,    kCodeUpLink,
      kCodeFolderDescription, kCodeSubfolderCards,     kCodeThumbnailGrid,
      kCodePictureView,       kCodePictureDetails};
  for (const char* block : kBlockCodes) {
    if (code == block) return true;
  }
  return false;
}

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
std::optional<std::string> InlineCodeText(RunContext& ctx,
                                          const std::string& code,
                                          const PageContext& page) {
  if (code == "directorytitle" || code == "picturetitle") {
    return std::string(page.title);
  }
  if (code == "rootpath") {
    std::string path;
    for (int i = 1; i < page.level; ++i) path += "../";
    return path;
  }
  if (code == "foldertitle") {
    return page.folder != nullptr ? page.folder->title : "";
  }
  if (code == "metadescription") return MetaDescription(page);
  if (code == "date") return FormatLongDate(ctx.fs.LocalTime());
  if (code == "time") return FormatShortTime(ctx.fs.LocalTime());
  if (code == "aboutprogrammer") return kAboutProgrammer;
  if (code == "navindex") return kNavIndexLink;
  if (code == "navigationonkeydownevent") {
    return ctx.options.include_keyboard_navigation ? kKeyDownCall : "";
  }
  return std::nullopt;
}

// The bad-code message: an unknown or empty code, or a "%" never closed.
void ReportBadCode(RunContext& ctx, const std::string& line,
                   std::string_view template_path) {
  ctx.ui.ShowMessage({kAppTitle,
                      "Bad code in line " + std::string(kCrLf) + line + kCrLf +
                          " of header file " + std::string(template_path),
                      Buttons::kOk, Icon::kNone, 1});
  ctx.state.abort_processing = true;
}

}  // namespace

const std::vector<std::string>& DefaultIndexTemplateLines() {
  static const std::vector<std::string> lines = [] {
    std::vector<std::string> l = TemplateHead("%DirectoryTitle%");
    for (const char* rest :
         {"  <BODY BGCOLOR=\"#FFFFFF\" %NavigationOnKeyDownEvent%>",
          "  <H2>%directoryheader%</H2>", "", "  %SubdirNav%", "", "  <TABLE>",
          "    %Thumbnails%", "  </TABLE>", "", "  </BODY>", "</HTML>"}) {
      l.push_back(rest);
    }
    return l;
  }();
  return lines;
}

const std::vector<std::string>& DefaultPictureTemplateLines() {
  static const std::vector<std::string> lines = [] {
    std::vector<std::string> l = TemplateHead("%PictureTitle%");
    for (const char* rest : {
             "  <BODY BGCOLOR=\"#FFFFFF\" onkeydown=navHandler();>",
             "  <TABLE WIDTH=725>",
             "    <TR HEIGHT=480>",
             "    <TD COLSPAN=4 ALIGN=\"Center\">",
             "      %PictureSource%",
             "    </TD>",
             "    </TR>",
             "    <TR>",
             "    <TD WIDTH=575 ALIGN=\"Left\">",
             "      %PictureDescription%",
             "    </TD>",
             "    <TD WIDTH=50 ALIGN=\"Center\">",
             "      %NavBack%",
             "    </TD>",
             "    <TD WIDTH=50 ALIGN=\"Center\">",
             "      %NavIndex%",
             "    </TD>",
             "    <TD WIDTH=50 ALIGN=\"Center\">",
             "      %NavForward%",
             "    </TD>",
             "    </TR>",
             "  </TABLE>",
             "  </BODY>",
             "</HTML>",
         }) {
      l.push_back(rest);
    }
    return l;
  }();
  return lines;
}

void WriteDefaultTemplate(RunContext& ctx, const std::string& path, bool index,
                          const std::vector<std::string>* lines) {
  if (lines == nullptr) {
    lines =
        index ? &DefaultIndexTemplateLines() : &DefaultPictureTemplateLines();
  }
  try {
    auto writer = ctx.fs.CreateTextFile(path);
    for (const std::string& line : *lines) writer->WriteLine(line);
    writer->Close();
  } catch (const Error& e) {
    ctx.ui.ShowMessage({"Error",
                        std::string("Error Creating HTML ") +
                            (index ? "Index" : "Picture") +
                            " Template File: " + e.what() + kCrLf +
                            "Be sure you have write permission for the drive "
                            "where the Orvanta program resides " +
                            kCrLf + "(" + path + ")",
                        Buttons::kOk, Icon::kWarning, 1});
    ctx.state.abort_processing = true;
  }
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

std::string FormatLongDate(const std::tm& when) {
  static constexpr std::array<const char*, 7> kDays = {
      "Sunday",   "Monday", "Tuesday", "Wednesday",
      "Thursday", "Friday", "Saturday"};
  static constexpr std::array<const char*, 12> kMonths = {
      "January", "February", "March",     "April",   "May",      "June",
      "July",    "August",   "September", "October", "November", "December"};
  return std::string(kDays[when.tm_wday % 7]) + ", " +
         kMonths[when.tm_mon % 12] + " " + std::to_string(when.tm_mday) + ", " +
         std::to_string(when.tm_year + 1900);
}

std::string FormatShortTime(const std::tm& when) {
  int hour = when.tm_hour % 12;
  if (hour == 0) hour = 12;
  char minutes[3] = {static_cast<char>('0' + when.tm_min / 10),
                     static_cast<char>('0' + when.tm_min % 10), 0};
  return std::to_string(hour) + ":" + minutes +
         (when.tm_hour < 12 ? " am" : " pm");
}

bool UsesRootFiles(const std::vector<std::string>& template_lines) {
  for (const std::string& line : template_lines) {
    if (ToLowerAscii(line).find("%rootpath%") != std::string::npos) {
      return true;
    }
  }
  return false;
}

void ExpandTemplateLine(RunContext& ctx, std::string* line,
                        std::string* block_code, const PageContext& page,
                        std::string_view template_path) {
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
      if (auto replacement = InlineCodeText(ctx, *block_code, page)) {
        result += *replacement;
        i = j + 1;
        continue;
      }
      if (IsBlockCode(*block_code)) {
        line->clear();
        return;
      }
    }
    ReportBadCode(ctx, text, template_path);
    *line = std::move(result);
    return;
  }
  *line = std::move(result);
}

}  // namespace orvanta
