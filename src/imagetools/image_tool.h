// The image tool: the two image operations the gallery needs, in the form
// of ImageMagick's command arguments. MagickImageTool (Magick++) is the real
// one; no image library exception ever leaves this folder.
#ifndef ORVANTA_IMAGETOOLS_IMAGE_TOOL_H_
#define ORVANTA_IMAGETOOLS_IMAGE_TOOL_H_

#include <memory>
#include <string>
#include <vector>

namespace orvanta {

class ImageTool {
 public:
  virtual ~ImageTool() = default;

  // Writes a thumbnail of the picture at `source` to `target` in one step
  // (no full-size copy first): the picture scaled to fit inside size x size
  // with ImageMagick's -resize filter, proportions and file format kept,
  // turned upright by its EXIF orientation. `target` is created or replaced
  // atomically. Throws Error(ErrorKind::kImageData) when the picture cannot
  // be read or shrunk (corrupt, truncated, unsupported, over the resource
  // limits) and Error(kGeneral) for other failures (bad arguments, the file
  // cannot be written: permission, disk full). On failure `target` is
  // unchanged.
  virtual void MakeThumbnail(const std::string& source,
                             const std::string& target, int size) = 0;

  // Identify({"-format", "%w,%h", "-ping", path}): returns "width,height"
  // of the picture as displayed (after its EXIF orientation), read from the
  // file's header without decoding the pixels. Throws Error like
  // MakeThumbnail.
  virtual std::string Identify(const std::vector<std::string>& args) = 0;
};

// Creates the Magick++ image tool. On failure returns null and puts the
// reason into *error.
std::unique_ptr<ImageTool> CreateMagickImageTool(std::string* error);

}  // namespace orvanta

#endif  // ORVANTA_IMAGETOOLS_IMAGE_TOOL_H_
