// Picture pages: one page per picture or movie with the picture, its title
// and Previous / Index / Next links.
#ifndef ORVANTA_ENGINE_PICTURE_PAGE_H_
#define ORVANTA_ENGINE_PICTURE_PAGE_H_

#include <string>
#include <vector>

#include "engine/run_context.h"

namespace orvanta {

// Writes the page of names[index] (0-based) at `page_path` from the
// picture template, whole or not at all: nothing once the run is being
// abandoned, and a page left half made by an abandoned run is not stored
// (an existing page stays). A failure asks whether to abort the run (Yes
// sets abort_processing) and ends this page.
void WritePicturePage(RunContext& ctx, const FolderInfo& info,
                      const std::vector<std::string>& names, int index,
                      const std::string& page_path, int level);

// The picture or movie block of a page.
std::string BuildPictureSource(RunContext& ctx, const FolderInfo& info,
                               const std::string& name,
                               const std::string& page_path);

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_PICTURE_PAGE_H_
