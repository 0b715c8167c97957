// The classic page style: a table of thumbnails with the subfolders' links
// on the index page, and a picture with Previous / Index / Next on each
// picture page. Its templates are the program's defaults, written into the
// program's folder when missing.
#ifndef ORVANTA_ENGINE_STYLES_CLASSIC_CLASSIC_STYLE_H_
#define ORVANTA_ENGINE_STYLES_CLASSIC_CLASSIC_STYLE_H_

#include <string>
#include <vector>

#include "engine/styles/page_style.h"

namespace orvanta {

const PageStyle& ClassicStyle();

// The lines of the default templates (without line breaks).
const std::vector<std::string>& DefaultIndexTemplateLines();
const std::vector<std::string>& DefaultPictureTemplateLines();

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_STYLES_CLASSIC_CLASSIC_STYLE_H_
