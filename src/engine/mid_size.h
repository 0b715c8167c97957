// Web-size ("mid-size") copies of pictures: their names, which pictures
// need one, when one is to be made, and which the picture page shows.
#ifndef ORVANTA_ENGINE_MID_SIZE_H_
#define ORVANTA_ENGINE_MID_SIZE_H_

#include <optional>
#include <string>

#include "engine/run_context.h"

namespace orvanta {

// True when copies are made and `name` begins with their prefix: such a
// file is never listed as a picture, like a thumbnail.
bool IsMidSizeCopyName(const GalleryOptions& options, const std::string& name);

// Whether browsers show the file's format (by its extension: JPEG, PNG,
// GIF, WebP, BMP); pictures in others always get a copy.
bool BrowsersShowFile(const std::string& name);

// A picture's thumbnail: prefix + name; with web-size copies, a picture
// that browsers cannot show gets a JPEG thumbnail named after it like its
// copy ("t_IMG_1.jpg" of IMG_1.HEIC).
std::string PictureThumbnailName(const GalleryOptions& options,
                                 const FolderInfo& info,
                                 const std::string& name);

// The copy of a listed picture: prefix + OwnName + ".jpg" ("m_IMG_1.jpg";
// "m_pic.png.jpg" beside "m_pic.jpg.jpg").
std::string MidSizeCopyName(const GalleryOptions& options,
                            const FolderInfo& info, const std::string& name);

// Whether the copy of the picture `name` is to be made now: copies are
// made, the picture needs one (it is larger than the mid-size bounds or
// browsers cannot show its format) and the create mode asks for it (2:
// always; 1: when the copy is missing or older than the picture).
bool MidSizeCopyDue(RunContext& ctx, const FolderInfo& info,
                    const std::string& name, int mode);

// The size of the copy the page of `name` shows: copies are made, the
// picture needs one and it is there. `shown_size` is the picture's own
// size as shown, when known. Throws Error when the copy's header cannot be
// read.
std::optional<PixelSize> ShownMidSizeCopy(
    RunContext& ctx, const FolderInfo& info, const std::string& name,
    const std::optional<PixelSize>& shown_size);

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_MID_SIZE_H_
