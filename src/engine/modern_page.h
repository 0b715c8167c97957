// The modern pages: the blocks their codes stand for (a grid of figures,
// subfolders as cards, the picture or clip fitted to the window, the
// picture's details) and the files the style brings (its two templates,
// its stylesheet and script, written where missing).
#ifndef ORVANTA_ENGINE_MODERN_PAGE_H_
#define ORVANTA_ENGINE_MODERN_PAGE_H_

#include <string>
#include <string_view>
#include <vector>

#include "engine/run_context.h"

namespace orvanta {

// %UpLink%: the link up to the parent's index, in a subfolder.
void WriteUpLink(const std::string& parent_title, TextWriter& page);
// %FolderDescription%: the folder's description, when it has one.
void WriteFolderDescription(const FolderInfo& info, TextWriter& page);
// %SubfolderCards%: the sidebar picture and one card per subfolder, each
// subfolder processed right after its card. Throws Error as
// WriteSubfolderNavigation does.
void WriteSubfolderCards(RunContext& ctx, const FolderInfo& info,
                         TextWriter& page, int level);
// %ThumbnailGrid%: one figure per listed file, each file's page written
// right after its figure. Throws Error when the page cannot be written.
void WriteThumbnailGrid(RunContext& ctx, const FolderInfo& info,
                        const std::vector<std::string>& names, TextWriter& page,
                        int level);
// %PictureView%: the picture (its mid-size copy when there is one) or the
// clip, fitted to the window by the stylesheet.
std::vector<std::string> PictureView(RunContext& ctx, const FolderInfo& info,
                                     const std::string& name);
// %PictureDetails%: the picture's own caption when it has one, then the
// date taken and camera when known, the file and the picture's size.
std::vector<std::string> PictureDetails(RunContext& ctx, const FolderInfo& info,
                                        const std::string& name);

// The lines of the style's index (or picture) template.
std::vector<std::string> ModernTemplateLines(bool index);
inline constexpr char kStyleSheetName[] = "orvanta.css";
inline constexpr char kScriptName[] = "orvanta.js";

// Writes the style's stylesheet and script into the gallery's root where
// they are missing (those there are never changed, so people can restyle
// them). On failure shows the message and sets abort_processing.
void WriteRootFiles(RunContext& ctx);

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_MODERN_PAGE_H_
