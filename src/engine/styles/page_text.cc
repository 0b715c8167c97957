// Titles, captions, dates and cameras of listed files on pages.
#include "engine/styles/page_text.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "common/html_text.h"
#include "common/text_utils.h"
#include "engine/plan/folder_info.h"
#include "engine/plan/output_names.h"
#include "engine/plan/plan_facts.h"
#include "engine/styles/templates.h"

namespace orvanta {
namespace {

// The facts of entry `i` when the pages show them.
const PictureFacts* FactsOf(const PageInput& in, int i) {
  return in.show_facts ? in.folder.entries[i].facts.get() : nullptr;
}

// Whether the folder's information file describes the entry.
bool Described(const PageInput& in, int i) {
  return FindPictureDescription(in.folder, in.folder.entries[i].name) !=
         nullptr;
}

// "<time datetime=...>...</time>" for a date taken, as precise as it is:
// "Sunday, July 14, 2019, 6:30 pm", "July 14, 2019" or "July 2019".
std::string DateTakenHtml(const DateTaken& taken) {
  char iso[40];
  if (taken.precision == DatePrecision::kMonth) {
    std::snprintf(iso, sizeof iso, "%04d-%02d", taken.year, taken.month);
    return "<time datetime=\"" + std::string(iso) + "\">" +
           MonthName(taken.month) + " " + std::to_string(taken.year) +
           "</time>";
  }
  std::snprintf(iso, sizeof iso, "%04d-%02d-%02d", taken.year, taken.month,
                taken.day);
  if (taken.precision == DatePrecision::kDay) {
    return "<time datetime=\"" + std::string(iso) + "\">" +
           MonthName(taken.month) + " " + std::to_string(taken.day) + ", " +
           std::to_string(taken.year) + "</time>";
  }
  std::string datetime = iso;
  std::snprintf(iso, sizeof iso, "T%02d:%02d:%02d", taken.hour, taken.minute,
                taken.second);
  datetime += iso;
  if (taken.offset_minutes) {
    const int offset = *taken.offset_minutes;
    std::snprintf(iso, sizeof iso, "%c%02d:%02d", offset < 0 ? '-' : '+',
                  std::abs(offset) / 60, std::abs(offset) % 60);
    datetime += iso;
  }
  std::tm when = CalendarFields(taken);
  timegm(&when);  // fills in the day of the week
  return "<time datetime=\"" + datetime + "\">" + FormatLongDate(when) + ", " +
         FormatShortTime(when) + "</time>";
}

}  // namespace

std::string ShownTitle(const PageInput& in, int i) {
  return ShownTitle(in.folder, in.show_facts, i);
}

std::string ShownTitle(const FolderPlan& folder, bool show_facts, int i) {
  const std::string& name = folder.entries[i].name;
  const PictureFacts* facts =
      show_facts ? folder.entries[i].facts.get() : nullptr;
  if (facts == nullptr || FindPictureDescription(folder, name) != nullptr) {
    return LookupPictureTitle(folder, name);
  }
  const PictureMetadata& metadata = facts->metadata;
  if (!metadata.title.empty()) return HtmlEscape(metadata.title);
  if (!metadata.caption.empty()) return HtmlEscape(metadata.caption);
  return LookupPictureTitle(folder, name);
}

std::string ShownCaption(const PageInput& in, int i) {
  const PictureFacts* facts = FactsOf(in, i);
  if (facts == nullptr || facts->metadata.title.empty() || Described(in, i)) {
    return "";  // none, or already the title
  }
  return HtmlEscape(facts->metadata.caption);
}

std::string DateAndCameraHtml(const PageInput& in, int i) {
  const PictureFacts* facts = FactsOf(in, i);
  if (facts == nullptr) return "";
  std::string html;
  if (const auto& taken = facts->metadata.taken) {
    html += DateTakenHtml(*taken) + " ";
  }
  if (!facts->metadata.camera.empty()) {
    html += "<span class=\"camera\">" + HtmlEscape(facts->metadata.camera) +
            "</span> ";
  }
  return html;
}

std::string BuildScriptIncludeTag(int level) {
  std::string tag = "<Script Src=\"";
  for (int i = 1; i < level; ++i) tag += "../";
  tag += "NavFunctions.js\" Language=\"javascript\"></Script>";
  return tag;
}

bool ShowsPictureFacts(const std::vector<std::string>& template_lines) {
  return TemplateHolds(template_lines, "thumbnailgrid") ||
         TemplateHolds(template_lines, "pictureview") ||
         TemplateHolds(template_lines, "picturedetails");
}

std::pair<int, int> PageRange(const PageInput& in) {
  const int count = static_cast<int>(in.folder.entries.size());
  if (in.folder.per_page <= 0) return {0, count};
  const int first = std::min(count, in.page * in.folder.per_page);
  return {first, std::min(count, first + in.folder.per_page)};
}

std::string EntryAnchor(const PageInput& in, int i) {
  if (in.folder.per_page <= 0) return "";
  return " id=\"" + HtmlEscape(in.folder.entries[i].name) + "\"";
}

void PageNavigation(const PageInput& in, std::vector<std::string>* out) {
  const int pages = IndexPageCount(in.folder);
  if (pages < 2) return;
  auto link = [](int page, const std::string& rest) {
    return "<a href=\"" + IndexPageName(page) + "\"" + rest + "</a>";
  };
  out->push_back("<nav class=\"pages\" aria-label=\"Pages\">");
  if (in.page > 0) {
    out->push_back(link(in.page - 1, " rel=\"prev\">Previous page"));
  }
  for (int page = 0; page < pages; ++page) {
    const std::string number = std::to_string(page + 1);
    out->push_back(link(page, page == in.page
                                  ? " aria-current=\"page\">" + number
                                  : ">" + number));
  }
  if (in.page + 1 < pages) {
    out->push_back(link(in.page + 1, " rel=\"next\">Next page"));
  }
  out->push_back("</nav>");
}

}  // namespace orvanta
