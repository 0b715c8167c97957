// The modern page style: a responsive grid of thumbnails with folder cards
// on the index page, and a large picture (its web-size copy) or a playing
// clip with its details on each picture page. Its templates are written
// where they are missing, and its stylesheet and script once into the
// gallery's root.
#ifndef ORVANTA_ENGINE_STYLES_MODERN_MODERN_STYLE_H_
#define ORVANTA_ENGINE_STYLES_MODERN_MODERN_STYLE_H_

#include "engine/styles/page_style.h"

namespace orvanta {

const PageStyle& ModernStyle();

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_STYLES_MODERN_MODERN_STYLE_H_
