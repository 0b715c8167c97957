// Mid-size copies: names and the decisions around them.
#include "engine/mid_size.h"

#include "common/error.h"
#include "common/path_utils.h"
#include "common/text_utils.h"
#include "engine/folder_scan.h"

namespace orvanta {
bool BrowsersShowFile(const std::string& name) {
  const std::string extension = ToLowerAscii(ExtensionOf(name));
  for (const char* shown :
       {"jpg", "jpeg", "jpe", "png", "gif", "webp", "bmp"}) {
    if (extension == shown) return true;
  }
  return false;
}

namespace {

bool LargerThanTheBounds(const GalleryOptions& options, const PixelSize& size) {
  return size.width > options.mid_size_maximum_width ||
         size.height > options.mid_size_maximum_height;
}

// Whether the picture needs a copy; a size that cannot be read means no
// (its thumbnail reports the picture's trouble).
bool NeedsCopy(RunContext& ctx, const FolderInfo& info,
               const std::string& name) {
  if (!BrowsersShowFile(name)) return true;
  try {
    const std::optional<PixelSize> size =
        ctx.PictureSize(info.folder_path + name);
    return size && LargerThanTheBounds(ctx.options, *size);
  } catch (const Error&) {
    return false;
  }
}

}  // namespace

bool IsMidSizeCopyName(const GalleryOptions& options, const std::string& name) {
  return options.create_mid_size_files &&
         StartsWithIgnoreCase(name, options.mid_size_file_prefix);
}

std::string PictureThumbnailName(const GalleryOptions& options,
                                 const FolderInfo& info,
                                 const std::string& name) {
  if (options.create_mid_size_files && !BrowsersShowFile(name)) {
    return options.thumbnail_file_prefix + OwnName(info, name) + ".jpg";
  }
  return options.thumbnail_file_prefix + name;
}

std::string MidSizeCopyName(const GalleryOptions& options,
                            const FolderInfo& info, const std::string& name) {
  return options.mid_size_file_prefix + OwnName(info, name) + ".jpg";
}

bool MidSizeCopyDue(RunContext& ctx, const FolderInfo& info,
                    const std::string& name, int mode) {
  if (!ctx.options.create_mid_size_files ||
      (mode != kMissingThumbnails && mode != kAllThumbnails) ||
      ctx.options.known_extensions.IsMovieFile(name) ||
      !NeedsCopy(ctx, info, name)) {
    return false;
  }
  if (mode == kAllThumbnails) return true;
  const FileStatus copy = ctx.fs.Status(
      info.folder_path + MidSizeCopyName(ctx.options, info, name));
  return !copy.is_file ||
         copy.modified_ns < ctx.fs.Status(info.folder_path + name).modified_ns;
}

std::optional<PixelSize> ShownMidSizeCopy(
    RunContext& ctx, const FolderInfo& info, const std::string& name,
    const std::optional<PixelSize>& shown_size) {
  if (!ctx.options.create_mid_size_files) return std::nullopt;
  const bool needed =
      !BrowsersShowFile(name) ||
      (shown_size && LargerThanTheBounds(ctx.options, *shown_size));
  const std::string copy =
      info.folder_path + MidSizeCopyName(ctx.options, info, name);
  if (!needed || !ctx.fs.FileExists(copy)) return std::nullopt;
  // A larger picture there is somebody's own, not our copy.
  const std::optional<PixelSize> size = ctx.image_tool->PictureSize(copy);
  if (size && LargerThanTheBounds(ctx.options, *size)) return std::nullopt;
  return size;
}

}  // namespace orvanta
