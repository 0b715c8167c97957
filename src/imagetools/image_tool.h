// The image tool: the two things the gallery asks of pictures, their size
// and their thumbnails. Behind it stand ImageMagick (Magick++) with
// libjpeg's scaled decoding for JPEGs, and the external converter program.
// Pictures are read and thumbnails written through the FileSystem; no image
// library exception ever leaves this folder.
#ifndef ORVANTA_IMAGETOOLS_IMAGE_TOOL_H_
#define ORVANTA_IMAGETOOLS_IMAGE_TOOL_H_

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "common/file_system.h"

namespace orvanta {

struct PixelSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

class ImageTool {
 public:
  virtual ~ImageTool() = default;

  // The size of the picture at `path` as it is shown (turned by its EXIF
  // orientation), read from its header; nothing when this tool cannot tell
  // (the external converter). Throws Error: kImageData when the file is not
  // a picture that can be read, kGeneral when it cannot be read at all.
  virtual std::optional<PixelSize> PictureSize(const std::string& path) = 0;

  // Writes the thumbnail of the picture at `source` to `target`: the
  // picture fitted inside size x size, proportions and file format kept,
  // turned upright by its EXIF orientation. `target` is replaced whole or
  // left as it was. Throws Error: kImageData when the picture cannot be
  // read or shrunk (corrupt, unsupported, too large), kConverter when the
  // external converter failed (the text is its command line), kGeneral for
  // other failures (the file cannot be read or the thumbnail written).
  virtual void MakeThumbnail(const std::string& source,
                             const std::string& target, int size) = 0;
};

// Makes the image tool on ImageMagick. Throws Error, with the library's
// reason, when ImageMagick cannot be started.
std::unique_ptr<ImageTool> CreateMagickImageTool(FileSystem& fs);

// The image tool of the external converter `program`, run as
//   program SOURCE /resample=(N,N) /aspectratio /convert=TARGET
// for each thumbnail, stopped after `limit_seconds`.
std::unique_ptr<ImageTool> CreateConverterImageTool(FileSystem& fs,
                                                    std::string program,
                                                    int32_t limit_seconds);

// Makes the run's image tool (tests give their own).
using ImageToolFactory = std::function<std::unique_ptr<ImageTool>(FileSystem&)>;

}  // namespace orvanta

#endif  // ORVANTA_IMAGETOOLS_IMAGE_TOOL_H_
