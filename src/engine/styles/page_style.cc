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

const PageStyle* FindPageStyle(std::string_view name) {
  for (const PageStyle& style : PageStyles()) {
    if (name == style.name) return &style;
  }
  return nullptr;
}

std::string PageStyleNames() {
  std::string names;
  const std::span<const PageStyle> styles = PageStyles();
  for (size_t i = 0; i < styles.size(); ++i) {
    if (i > 0) names += i + 1 == styles.size() ? " or " : ", ";
    names += styles[i].name;
  }
  return names;
}

const PageStyle& ChosenPageStyle(const OptionControls& controls) {
  if (const PageStyle* named = FindPageStyle(controls.page_style)) {
    return *named;
  }
  if (const PageStyle* own = StyleOfTemplate(controls.index_template_file)) {
    return *own;
  }
  return PageStyles().front();
}

void ApplyPageStyle(const PageStyle& style, OptionControls* controls) {
  controls->page_style = style.name;
  style.apply(controls);
}

}  // namespace orvanta
