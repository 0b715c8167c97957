// Expanding templates into pages.
#include "engine/styles/page_renderer.h"

#include <algorithm>

#include "common/html_text.h"
#include "engine/plan/output_names.h"
#include "engine/styles/page_text.h"
#include "engine/styles/templates.h"

namespace orvanta {
namespace {

// Expands every template line; a line holding a block code gets `block`'s
// lines instead.
template <typename Block>
RenderedPage Render(const PageContext& context,
                    const std::vector<std::string>& template_lines,
                    Block block) {
  RenderedPage page;
  for (const std::string& template_line : template_lines) {
    std::string line = template_line;
    std::string code;
    if (!ExpandTemplateLine(context, &line, &code)) {
      page.bad_line = template_line;
      break;
    }
    const BlockCode* found = code.empty() ? nullptr : FindBlockCode(code);
    if (found == nullptr || !block(*found, &page)) page.lines.push_back(line);
  }
  return page;
}

}  // namespace

RenderedPage RenderIndexPage(const PageInput& in,
                             const std::vector<std::string>& template_lines) {
  // Index pages after the first say which they are.
  const int pages = IndexPageCount(in.folder);
  const std::string title = in.page == 0 ? in.folder.title
                                         : in.folder.title + " \u2013 page " +
                                               std::to_string(in.page + 1) +
                                               " of " + std::to_string(pages);
  const PageContext context{title,      in.folder.level,
                            &in.folder, nullptr,
                            in.now,     in.options.include_keyboard_navigation};
  return Render(context, template_lines,
                [&in](const BlockCode& code, RenderedPage* page) {
                  if (code.index == nullptr) return false;
                  code.index(in, &page->lines);
                  if (code.role != BlockRole::kNone &&
                      std::find(page->listings.begin(), page->listings.end(),
                                code.role) == page->listings.end()) {
                    page->listings.push_back(code.role);
                  }
                  return true;
                });
}

RenderedPage RenderPicturePage(const PageInput& in, int i,
                               const std::vector<std::string>& template_lines) {
  const std::string title = ShownTitle(in, i);
  PageContext context{title,      in.folder.level,
                      &in.folder, &in.folder.entries[i].name,
                      in.now,     in.options.include_keyboard_navigation};
  // In a folder of several index pages: the one that lists the picture,
  // at its thumbnail.
  const std::string index_link =
      in.folder.per_page <= 0 ? std::string("index.html")
                              : IndexPageName(IndexPageOf(in.folder, i)) + "#" +
                                    UrlEncodeName(in.folder.entries[i].name);
  context.index_link = index_link;
  return Render(context, template_lines,
                [&in, i](const BlockCode& code, RenderedPage* page) {
                  if (code.picture == nullptr) return false;
                  code.picture(in, i, &page->lines);
                  return true;
                });
}

}  // namespace orvanta
