// Page styles: each renders a folder's plan into its index page and its
// picture pages through the block codes its templates hold, and names the
// templates and the files it needs at the gallery's root. A style only
// renders: it writes nothing and walks nothing. A new style is a folder
// under styles/ with its blocks and one line in kStyles (page_style.cc).
#ifndef ORVANTA_ENGINE_STYLES_PAGE_STYLE_H_
#define ORVANTA_ENGINE_STYLES_PAGE_STYLE_H_

#include <cstdint>
#include <ctime>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/plan/gallery_plan.h"
#include "options/options.h"

namespace orvanta {

// What the picture work left of a listed file, read after it.
struct EntryOutputs {
  std::string thumbnail;  // the thumbnail's name when one exists, else ""
  std::optional<PixelSize> thumbnail_size;  // when the pages show sizes
  std::optional<PixelSize> copy_size;       // the web-size copy shown, if any
  uint64_t copy_bytes = 0;                  // and its size in bytes
  // The half-size copy beside it, when both exist, its size and bytes.
  std::string half;
  std::optional<PixelSize> half_size;
  uint64_t half_bytes = 0;
  std::string web_video;  // a movie's web copy when it exists, else ""
};

// A subfolder's cover: a picture of it, or of a folder below it.
struct FolderCover {
  std::string path;  // from the folder of the page ("Sea/t_a.jpg")
  std::string alt;   // attribute text
  std::optional<PixelSize> size = {};
};

// A folder's album download, made or kept.
struct AlbumDownload {
  std::string name;  // in the folder
  int files = 0;
  uint64_t bytes = 0;
};

struct FolderOutputs {
  std::vector<EntryOutputs> entries;  // as FolderPlan::entries
  bool sidebar_exists = false;
  // What shows the sidebar picture: its thumbnail when it has one, else
  // the picture itself (as named in the information file).
  std::string sidebar_file;
  std::optional<PixelSize> sidebar_size;  // when the pages show sizes
  // As FolderPlan::subfolders once they are built (none before, or when
  // the pages show no covers); nothing for a folder without a cover.
  std::vector<std::optional<FolderCover>> covers;
  std::optional<AlbumDownload> album;
};

// Everything a page is rendered from.
struct PageInput {
  const GalleryOptions& options;
  const GalleryPlan& plan;
  const FolderPlan& folder;
  const FolderOutputs& made;
  bool show_facts = false;  // the pages show what pictures say of themselves
  std::tm now{};            // the run's date and time (%date%, %time%)
  int page = 0;             // the index page rendered (0: index.html)
};

// What a block code does besides its lines: the index page's listing of
// its pictures (their pages are written with it) and of its subfolders
// (they are built with it).
enum class BlockRole { kNone, kListsPictures, kListsSubfolders };

// A block code: a template line holding "%code%" becomes its lines.
struct BlockCode {
  const char* code;  // lower case
  BlockRole role = BlockRole::kNone;
  // The lines on the folder's index page; null where the code means
  // nothing there.
  void (*index)(const PageInput& in, std::vector<std::string>* out) = nullptr;
  // The lines on the picture page of entry `i`.
  void (*picture)(const PageInput& in, int i,
                  std::vector<std::string>* out) = nullptr;
};

// A file the style needs at the gallery's root, written once.
struct RootFile {
  const char* name;
  std::string_view text;
};

struct PageStyle {
  const char* name;   // as --style and info.ini's PageStyle give it
  const char* label;  // as the window's list shows it
  // Sets the controls the style needs: its templates, its thumbnail size,
  // the outputs its pages show.
  void (*apply)(OptionControls* controls);
  std::span<const BlockCode> codes;
  // The style's templates (by file name); those with a text are written
  // where they are missing (the default templates have their own lines).
  // The files it needs at the root when its templates link them.
  const char* index_template = nullptr;
  const char* picture_template = nullptr;
  std::string_view index_template_text = {};
  std::string_view picture_template_text = {};
  std::span<const RootFile> root_files = {};
};

// The registered styles.
std::span<const PageStyle> PageStyles();
// The block code `code` (lower case) of any style; null for none.
const BlockCode* FindBlockCode(std::string_view code);
// The style whose template is named `file_name`; null for none.
const PageStyle* StyleOfTemplate(std::string_view file_name);
// The style named `name`; null for none.
const PageStyle* FindPageStyle(std::string_view name);
// The names of the styles, "classic or modern", for messages.
std::string PageStyleNames();

// The style the controls chose: the one their PageStyle names, else the
// one whose index template they name (settings saved before styles had
// names), else the first.
const PageStyle& ChosenPageStyle(const OptionControls& controls);
// Makes `style` the chosen one and sets the controls it needs.
void ApplyPageStyle(const PageStyle& style, OptionControls* controls);

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_STYLES_PAGE_STYLE_H_
