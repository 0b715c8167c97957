// The registered page styles and the lookups over them.
#include "engine/styles/page_style.h"

#include "engine/styles/classic/classic_style.h"
#include "engine/styles/modern/modern_style.h"

namespace orvanta {

std::span<const PageStyle> PageStyles() {
  static const PageStyle kStyles[] = {ClassicStyle(), ModernStyle()};
  return kStyles;
}

const BlockCode* FindBlockCode(std::string_view code) {
  for (const PageStyle& style : PageStyles()) {
    for (const BlockCode& block : style.codes) {
      if (code == block.code) return &block;
    }
  }
  return nullptr;
}

const PageStyle* StyleOfTemplate(std::string_view file_name) {
  for (const PageStyle& style : PageStyles()) {
    if ((style.index_template && file_name == style.index_template) ||
        (style.picture_template && file_name == style.picture_template)) {
      return &style;
    }
  }
  return nullptr;
}

}  // namespace orvanta
