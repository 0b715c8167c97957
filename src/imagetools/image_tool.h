// The image tool: what the gallery asks of pictures, their size, their
// thumbnails and their web-size ("mid-size") copies, both made from one
// decode. Behind it stand ImageMagick (Magick++) with libjpeg's scaled
// decoding for JPEGs, and the external converter program (thumbnails
// only). Pictures are read and outputs written through the FileSystem; no
// image library exception ever leaves this folder.
//
// Threads: the thumbnail workers call PictureSize and MakePictureFiles on
// one tool from several threads at once (for different pictures), and the
// metadata readers call PictureSize the same way; every tool allows that.
// The Magick++ tool keeps only its FileSystem; ImageMagick is started once
// per process (std::call_once) and each call decodes into its own images.
// The converter tool keeps its program and time limit, both constant, and
// runs one child process per call. The tools call their FileSystem from
// those same threads (file_system.h says which of its calls allow it).
// Create*ImageTool is called from the run's thread.
#ifndef ORVANTA_IMAGETOOLS_IMAGE_TOOL_H_
#define ORVANTA_IMAGETOOLS_IMAGE_TOOL_H_

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "common/error.h"
#include "common/file_system.h"

namespace orvanta {

struct PixelSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// What to make of one picture.
struct PictureRequest {
  std::string source;
  std::string thumbnail;     // where the thumbnail goes; "" for none
  int thumbnail_size = 150;  // it fits inside size x size
  // Where the mid-size copy goes, when the picture needs one; "" for none.
  // A picture needs a copy when, as shown, it is larger than `copy_bounds`
  // or browsers cannot show its format (anything but JPEG, PNG, GIF, WebP
  // and BMP: HEIC, TIFF, camera RAW...).
  std::string copy;
  PixelSize copy_bounds;  // the copy fits inside these, never enlarged
  // Where the copy at half its size goes (made from the copy's pixels,
  // with it); "" for none.
  std::string half;
};

struct PictureResult {
  // Why an output asked for (the thumbnail) or needed (the copy) was not
  // made, with the kinds MakeThumbnail throws. A picture that cannot be
  // read gives both the same error.
  std::optional<Error> thumbnail_error;
  std::optional<Error> copy_error;
  // The size of the copy written; nothing when none was needed or made.
  // The half-size copy is written with it or not at all (its failure is
  // the copy's).
  std::optional<PixelSize> copy_size;
  // The picture's data ends before the picture does: what was made shows
  // what could be read. The decoder's words ("Premature end of JPEG
  // file"); "" for a whole picture.
  std::string incomplete;
};

class ImageTool {
 public:
  virtual ~ImageTool() = default;

  // The size of the picture at `path` as it is shown (turned by its EXIF
  // orientation), read from its header; nothing when this tool cannot tell
  // (the external converter). Throws Error: kImageData when the file is not
  // a picture that can be read, kGeneral when it cannot be read at all.
  virtual std::optional<PixelSize> PictureSize(const std::string& path) = 0;

  // Writes the thumbnail and the mid-size copy of the picture, both from
  // one decode of it.
  //
  // The thumbnail: the picture fitted inside size x size, proportions and
  // file format kept, turned upright by its EXIF orientation, without
  // profiles or comments.
  //
  // The copy: a JPEG fitted inside the bounds (same rounding), proportions
  // kept, turned upright; quality and colour sampling as the photo's own for
  // a JPEG, quality 85 and full chroma for other formats; transparency
  // flattened on white; the picture's ICC profile kept or its colours
  // (CMYK...) converted to sRGB; no comment and no EXIF. The half-size
  // copy: the copy's pixels halved both ways (HalfSide, resample.h), encoded
  // the same. The external converter makes no copies (no error either).
  //
  // Each file is replaced whole or left as it was. Errors: kImageData when
  // the picture cannot be read or shrunk (corrupt, unsupported, too large),
  // kConverter when the external converter failed (the text is its command
  // line), kGeneral for other failures ("the file cannot be read (...)",
  // "the thumbnail t_x.jpg cannot be written (...)", "the mid-size copy
  // m_x.jpg cannot be written (...)").
  virtual PictureResult MakePictureFiles(const PictureRequest& request) = 0;

  // MakePictureFiles for the thumbnail alone; throws its error.
  void MakeThumbnail(const std::string& source, const std::string& target,
                     int size);
};

// Makes the image tool on ImageMagick. Throws Error, with the library's
// reason, when ImageMagick cannot be started.
std::unique_ptr<ImageTool> CreateMagickImageTool(FileSystem& fs);
// Whether the image library on this machine reads files of the type
// `extension` ("heic").
bool ImageLibraryReads(std::string_view extension);

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
