// Rendering a folder's pages from their templates: inline codes become
// their text, and each block code the lines of its style's block.
#ifndef ORVANTA_ENGINE_STYLES_PAGE_RENDERER_H_
#define ORVANTA_ENGINE_STYLES_PAGE_RENDERER_H_

#include <optional>
#include <string>
#include <vector>

#include "engine/styles/page_style.h"

namespace orvanta {

struct RenderedPage {
  std::vector<std::string> lines;
  // The template line holding a bad code (unknown, empty or unclosed);
  // such a page is not to be written.
  std::optional<std::string> bad_line;
  // The listings the index page holds, each once, in the order the
  // template first holds them: the pages of its pictures and the folders
  // below are made with them.
  std::vector<BlockRole> listings;
};

// The folder's index page.
RenderedPage RenderIndexPage(const PageInput& in,
                             const std::vector<std::string>& template_lines);
// The picture page of entry `i`.
RenderedPage RenderPicturePage(const PageInput& in, int i,
                               const std::vector<std::string>& template_lines);

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_STYLES_PAGE_RENDERER_H_
