// The feed and the sitemaps.
#include "engine/pages/share_files.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "common/html_text.h"
#include "common/text_utils.h"
#include "engine/pages/support_files.h"
#include "engine/plan/output_names.h"
#include "engine/plan/plan_facts.h"
#include "engine/styles/page_text.h"

namespace orvanta {
namespace {

constexpr size_t kFeedEntries = 50;
constexpr char kXmlHead[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
constexpr char kSitemapSpace[] = "http://www.sitemaps.org/schemas/sitemap/0.9";

// Text as an XML file holds it: in UTF-8 (text that is not UTF-8 is read
// as Windows-1252), & < > " escaped, without control characters.
std::string XmlText(std::string_view text) {
  return HtmlEscape(IsValidUtf8(text) ? std::string(text)
                                      : Windows1252ToUtf8(text));
}

// An RFC 3339 date and time in UTC, "2019-07-14T16:30:00Z".
std::string Rfc3339(double seconds) {
  const auto whole = static_cast<std::time_t>(
      std::floor(std::clamp(seconds, 0.0, 253402300799.0)));
  std::tm utc{};
  gmtime_r(&whole, &utc);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
  return text;
}

// A picture or movie of the gallery in its feed.
struct FeedItem {
  double taken = 0;
  const FolderPlan* folder = nullptr;
  int entry = 0;
};

// The feed's date of an item: the moment it was taken, else midnight
// (UTC) of the day or the first of the month its date names when it has
// no time.
std::string FeedDate(const FeedItem& item) {
  const PictureFacts* facts = item.folder->entries[item.entry].facts.get();
  if (facts == nullptr || !facts->metadata.taken ||
      facts->metadata.taken->precision == DatePrecision::kSecond) {
    return Rfc3339(item.taken);
  }
  const DateTaken& taken = *facts->metadata.taken;
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT00:00:00Z", taken.year,
                taken.month, taken.day);
  return text;
}

// The gallery's newest files, newest first (in the plan's order when
// taken at the same time).
std::vector<FeedItem> NewestFiles(const GalleryPlan& plan) {
  std::vector<FeedItem> items;
  for (const FolderPlan& folder : plan.folders) {
    for (size_t i = 0; i < folder.entries.size(); ++i) {
      items.push_back({TakenSeconds(folder.entries[i].facts.get()), &folder,
                       static_cast<int>(i)});
    }
  }
  std::stable_sort(
      items.begin(), items.end(),
      [](const FeedItem& a, const FeedItem& b) { return a.taken > b.taken; });
  if (items.size() > kFeedEntries) items.resize(kFeedEntries);
  return items;
}

std::vector<std::string> EntryLines(RunContext& ctx, const GalleryPlan& plan,
                                    const FeedItem& item) {
  const FolderPlan& folder = *item.folder;
  const EntryPlan& entry = folder.entries[item.entry];
  const std::string at = WebAddressOf(ctx.options, plan, folder);
  const std::string page = XmlText(at + UrlEncodeName(entry.page));
  const std::string title = ShownTitle(folder, plan.show_facts, item.entry);
  std::vector<std::string> lines = {
      "<entry>", "<title>" + XmlText(HtmlToText(title)) + "</title>",
      "<link rel=\"alternate\" type=\"text/html\" href=\"" + page + "\"/>",
      "<id>" + page + "</id>", "<updated>" + FeedDate(item) + "</updated>"};
  const std::string thumbnail =
      ExistingThumbnail(ctx.fs, ctx.options, folder, entry);
  if (!thumbnail.empty()) {
    const std::string src =
        at + UrlEncodeName(thumbnail.substr(folder.folder_path.size()));
    lines.push_back("<summary type=\"html\">" +
                    XmlText("<img src=\"" + HtmlEscape(src) + "\" alt=\"" +
                            AttributeText(title) + "\">") +
                    "</summary>");
  }
  lines.push_back("</entry>");
  return lines;
}

std::vector<std::string> FeedLines(RunContext& ctx, const GalleryPlan& plan) {
  const std::string root = XmlText(ctx.options.gallery_address);
  const std::string title = XmlText(HtmlToText(plan.folders.front().title));
  const std::vector<FeedItem> newest = NewestFiles(plan);
  std::vector<std::string> lines = {
      kXmlHead,
      "<feed xmlns=\"http://www.w3.org/2005/Atom\">",
      "<title>" + title + "</title>",
      "<link rel=\"self\" type=\"application/atom+xml\" href=\"" + root +
          kFeedName + "\"/>",
      "<link rel=\"alternate\" type=\"text/html\" href=\"" + root +
          "index.html\"/>",
      "<id>" + root + kFeedName + "</id>",
      "<updated>" +
          (newest.empty() ? Rfc3339(ctx.fs.Now() / 1e9)
                          : FeedDate(newest.front())) +
          "</updated>",
      "<author><name>" + title + "</name></author>",
      "<generator>Orvanta</generator>"};
  for (const FeedItem& item : newest) {
    const std::vector<std::string> entry = EntryLines(ctx, plan, item);
    lines.insert(lines.end(), entry.begin(), entry.end());
  }
  lines.push_back("</feed>");
  return lines;
}

// The address of every page of the gallery, as a sitemap's line.
std::vector<std::string> PageLines(RunContext& ctx, const GalleryPlan& plan) {
  std::vector<std::string> lines;
  for (const FolderPlan& folder : plan.folders) {
    if (!HasPages(folder)) continue;
    const std::string at = XmlText(WebAddressOf(ctx.options, plan, folder));
    for (int page = 0; page < IndexPageCount(folder); ++page) {
      lines.push_back("<url><loc>" + at + IndexPageName(page) + "</loc></url>");
    }
    for (const EntryPlan& entry : folder.entries) {
      lines.push_back("<url><loc>" + at + UrlEncodeName(entry.page) +
                      "</loc></url>");
    }
  }
  return lines;
}

// Writes the lines of one sitemap or sitemap index around `lines`.
void WriteSitemap(RunContext& ctx, const std::string& name, const char* kind,
                  std::vector<std::string>::const_iterator begin,
                  std::vector<std::string>::const_iterator end) {
  std::vector<std::string> lines = {
      kXmlHead, "<" + std::string(kind) + " xmlns=\"" + kSitemapSpace + "\">"};
  lines.insert(lines.end(), begin, end);
  lines.push_back("</" + std::string(kind) + ">");
  WriteFileLines(ctx, ctx.output_folder + name, lines, "Sitemap File",
                 "the Photo Gallery Pictures reside ");
}

void WriteSitemaps(RunContext& ctx, const GalleryPlan& plan) {
  const std::vector<std::string> pages = PageLines(ctx, plan);
  const std::vector<std::string>& names = plan.root_files;
  if (names.size() <= 2) {
    return WriteSitemap(ctx, kSitemapName, "urlset", pages.begin(),
                        pages.end());
  }
  std::vector<std::string> parts;
  for (size_t part = 2; part < names.size(); ++part) {
    parts.push_back("<sitemap><loc>" + XmlText(ctx.options.gallery_address) +
                    names[part] + "</loc></sitemap>");
    const size_t first = (part - 2) * kSitemapLimit;
    const size_t last = std::min(pages.size(), first + kSitemapLimit);
    WriteSitemap(ctx, names[part], "urlset", pages.begin() + first,
                 pages.begin() + last);
    if (ctx.state.abort_processing) return;
  }
  WriteSitemap(ctx, kSitemapName, "sitemapindex", parts.begin(), parts.end());
}

}  // namespace

void WriteShareFiles(RunContext& ctx, const GalleryPlan& plan) {
  if (plan.root_files.empty()) return;
  WriteFileLines(ctx, ctx.output_folder + kFeedName, FeedLines(ctx, plan),
                 "Gallery Feed File", "the Photo Gallery Pictures reside ");
  if (!ctx.state.abort_processing) WriteSitemaps(ctx, plan);
}

}  // namespace orvanta
