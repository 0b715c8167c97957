// Texts that pages of every style show of a listed file: its title, its
// caption, its date taken and camera, and the keyboard script's tag.
#ifndef ORVANTA_ENGINE_STYLES_PAGE_TEXT_H_
#define ORVANTA_ENGINE_STYLES_PAGE_TEXT_H_

#include <string>
#include <utility>
#include <vector>

#include "engine/styles/page_style.h"

namespace orvanta {

// The HTML title of entry `i`: its description in the folder's
// information file, else (when the pages show facts) its own title or
// caption, else its base name.
std::string ShownTitle(const PageInput& in, int i);
// The same for a folder of the plan, with or without the facts shown.
std::string ShownTitle(const FolderPlan& folder, bool show_facts, int i);
// Its caption when the title is its own title ("" otherwise), HTML.
std::string ShownCaption(const PageInput& in, int i);
// "<time datetime=...>...</time> <span class="camera">...</span> ", or ""
// when the pages show no facts or it says nothing.
std::string DateAndCameraHtml(const PageInput& in, int i);
// The script tag of the keyboard navigation file at the gallery's root,
// for a page `level` folders deep.
std::string BuildScriptIncludeTag(int level);

// The entries [first, second) that the index page `in.page` lists.
std::pair<int, int> PageRange(const PageInput& in);
// The anchor of entry `i` on its index page (` id="NAME"`) when the
// folder's pictures take several pages; "" otherwise.
std::string EntryAnchor(const PageInput& in, int i);
// The links between the folder's index pages (Previous page, each page's
// number, Next page), when its pictures take more than one.
void PageNavigation(const PageInput& in, std::vector<std::string>* out);

// Whether template lines show what pictures say of themselves (the
// modern grid and picture view and details).
bool ShowsPictureFacts(const std::vector<std::string>& template_lines);

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_STYLES_PAGE_TEXT_H_
