// Link previews of the modern pages.
#include "engine/styles/modern/share_tags.h"

#include "common/html_text.h"
#include "engine/plan/output_names.h"
#include "engine/styles/page_text.h"

namespace orvanta {
namespace {

// What a page's preview shows; texts as attribute text.
struct Preview {
  std::string page;  // the page's name in its folder
  std::string title;
  std::string description;  // "" for none
  std::string image = {};   // its path from the page's folder; "" for none
  std::optional<PixelSize> size = {};
};

std::string Meta(const char* property, const std::string& content) {
  return std::string("<meta property=\"") + property + "\" content=\"" +
         content + "\">";
}

void WritePreview(const PageInput& in, const Preview& preview,
                  std::vector<std::string>* out) {
  const std::string folder =
      HtmlEscape(WebAddressOf(in.options, in.plan, in.folder));
  if (folder.empty()) return;
  const std::string address = folder + UrlEncodeName(preview.page);
  std::string root;
  for (int i = 1; i < in.folder.level; ++i) root += "../";
  out->push_back("<link rel=\"canonical\" href=\"" + address + "\">");
  out->push_back(
      "<link rel=\"alternate\" type=\"application/atom+xml\" href=\"" + root +
      kFeedName + "\" title=\"" + AttributeText(in.plan.folders.front().title) +
      "\">");
  out->push_back(Meta("og:type", "website"));
  out->push_back(Meta("og:title", preview.title));
  if (!preview.description.empty()) {
    out->push_back(Meta("og:description", preview.description));
  }
  out->push_back(Meta("og:url", address));
  const bool image = !preview.image.empty();
  if (image) {
    out->push_back(
        Meta("og:image", folder + UrlEncodeRelativePath(preview.image)));
    if (preview.size) {
      out->push_back(
          Meta("og:image:width", std::to_string(preview.size->width)));
      out->push_back(
          Meta("og:image:height", std::to_string(preview.size->height)));
    }
  }
  out->push_back(std::string("<meta name=\"twitter:card\" content=\"") +
                 (image ? "summary_large_image" : "summary") + "\">");
}

// The most bytes of a preview's picture: chat programs leave larger ones
// out of their previews.
constexpr uint64_t kPreviewBytes = 600 * 1024;

// Entry `i`'s picture in a preview: its web-size copy, else (or when that
// is too large for a preview) its half-size copy, else its thumbnail.
bool EntryImage(const PageInput& in, int i, Preview* preview) {
  const EntryOutputs& made = in.made.entries[i];
  if (made.copy_size && made.copy_bytes < kPreviewBytes) {
    preview->image = in.folder.entries[i].copy;
    preview->size = made.copy_size;
  } else if (made.half_size && made.half_bytes < kPreviewBytes) {
    preview->image = made.half;
    preview->size = made.half_size;
  } else if (!made.thumbnail.empty()) {
    preview->image = made.thumbnail;
    preview->size = made.thumbnail_size;
  }
  return !preview->image.empty();
}

}  // namespace

void IndexShareTags(const PageInput& in, std::vector<std::string>* out) {
  std::string title = AttributeText(in.folder.title);
  if (in.page > 0) {
    title += " \u2013 page " + std::to_string(in.page + 1) + " of " +
             std::to_string(IndexPageCount(in.folder));
  }
  Preview preview{IndexPageName(in.page), title,
                  AttributeText(in.folder.description)};
  bool found = false;
  const auto [first, end] = PageRange(in);
  for (int i = first; !found && i < end; ++i) {
    found = EntryImage(in, i, &preview);
  }
  for (const std::optional<FolderCover>& cover : in.made.covers) {
    if (found || !cover) continue;
    preview.image = cover->path;
    preview.size = cover->size;
    found = true;
  }
  WritePreview(in, preview, out);
}

void PictureShareTags(const PageInput& in, int i,
                      std::vector<std::string>* out) {
  Preview preview{in.folder.entries[i].page, AttributeText(ShownTitle(in, i)),
                  AttributeText(ShownCaption(in, i))};
  if (preview.description.empty()) {
    preview.description = AttributeText(in.folder.description);
  }
  EntryImage(in, i, &preview);
  WritePreview(in, preview, out);
}

}  // namespace orvanta
