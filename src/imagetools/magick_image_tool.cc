// The image tool on Magick++ (ImageMagick 6) and libjpeg. Pictures are read
// into memory through the FileSystem, once, and decoded from there;
// thumbnails and mid-size copies are encoded in memory and then replace
// their files whole. JPEGs take libjpeg's scaled path (jpeg_pictures.h);
// the rest, and the rare CMYK JPEG, go through Magick++
// (magick_pictures.h).
//
// What one picture may cost is limited the same for every picture
// (picture_limits.h). Before a file larger than kMetadataSlack is read
// whole, its header is read: a picture over the limits, or a single JPEG,
// PNG, BMP or WebP far larger than any picture of its size could be, is
// refused at once. Animations, TIFFs (pages, layers, 32-bit samples) and
// camera RAW files (previews) may be larger and are read.
//
// ImageMagick's resource limits, set once for the whole process when the
// first tool is created:
//   width, height  32768 pixels: a file claiming more (a decompression
//                  bomb) is refused at once, before any pixel memory is
//                  taken;
//   memory, map    1.5 GiB, disk 2 GiB for the pixel caches of all
//                  pictures being worked on: more than the budget the
//                  pictures share (kMagickBudgetBytes), so that a picture
//                  within it is never refused for what the others take;
//   area 256 megapixels: larger pictures skip the memory cache;
//   threads 1: the program runs several workers itself.
// ImageMagick's policy file can only lower them (Debian's default: 16K
// sides, 256 MiB memory, 512 MiB map, 1 GiB disk, 128 MP area, which still
// hold the budget). JPEGs are decoded at 1/2 to 1/8 of their size, so even
// 100-megapixel photos need little memory.
//
// Warnings are not failures: a JPEG cut off in its picture data decodes
// with a warning and its thumbnail shows the missing part grey, as
// ImageMagick's own mogrify does; this beats keeping the full-size copy as
// the thumbnail. A file that cannot be decoded at all is an error, the
// same for both outputs.
#include <Magick++.h>

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <new>
#include <set>
#include <string>
#include <string_view>

#include "common/error.h"
#include "common/path_utils.h"
#include "common/text_utils.h"
#include "imagetools/image_tool.h"
#include "imagetools/jpeg_pictures.h"
#include "imagetools/magick_pictures.h"
#include "imagetools/picture_files.h"
#include "imagetools/picture_limits.h"
#include "imagetools/xmp_packets.h"

namespace orvanta {
namespace {

constexpr MagickCore::MagickSizeType kMaxSide = 32768;
constexpr MagickCore::MagickSizeType kCacheLimit = kMagickBudgetBytes * 3 / 2;
constexpr MagickCore::MagickSizeType kMaxArea = 256 * 1000 * 1000;
// How much of a file PictureSize reads first.
constexpr size_t kHeaderBytes = 256 * 1024;

// Starts Magick++ and sets the resource limits once per process.
void InitializeMagickOnce() {
  static std::once_flag once;
  std::call_once(once, [] {
    Magick::InitializeMagick(nullptr);
    Magick::ResourceLimits::width(kMaxSide);
    Magick::ResourceLimits::height(kMaxSide);
    Magick::ResourceLimits::area(kMaxArea);
    Magick::ResourceLimits::memory(kCacheLimit);
    Magick::ResourceLimits::map(kCacheLimit);
    Magick::ResourceLimits::disk(2 * kMagickBudgetBytes);
    Magick::ResourceLimits::thread(1);
  });
}

// The library's own words without its source location (" @ error/...")
// or the quoted file name: "orvanta: no decode delegate for this image
// format `x.jpg' @ error/blob.c/PingBlob/3108" gives "no decode delegate
// for this image format".
std::string LibraryWords(std::string text) {
  text = text.substr(0, text.find(" @ "));
  const size_t colon = text.find(": ");
  if (colon != std::string::npos &&
      text.rfind(' ', colon) == std::string::npos) {
    text.erase(0, colon + 2);  // the "client: " prefix
  }
  const size_t quote = text.find('`');
  if (quote != std::string::npos) {
    const size_t end = text.find('\'', quote);
    text.erase(quote,
               end == std::string::npos ? std::string::npos : end - quote + 1);
  }
  while (!text.empty() && (text.back() == ' ' || text.back() == '.')) {
    text.pop_back();
  }
  return text;
}

// The program's error about a picture's content, in plain words with the
// library's text in brackets. The caller names the file.
Error PictureError(const std::string& library_text) {
  const std::string words = LibraryWords(library_text);
  std::string lower = words;
  std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
  const char* plain = "the file is not a picture that can be read";
  for (const char* limit : {"exceeds limit", "resource", "memory"}) {
    if (lower.find(limit) != std::string::npos) {
      plain = "the picture is too large to be read safely";
    }
  }
  return Error(words.empty() ? plain : std::string(plain) + " (" + words + ")",
               ErrorKind::kImageData);
}

// The encoded outputs of one picture, or why each could not be made.
struct Outputs {
  std::string thumbnail, copy;  // copy: empty when none is needed
  std::string half;             // the copy at half its size, when asked
  std::string incomplete;       // the decoder's words on a picture cut short
  PixelSize copy_size;
  std::optional<Error> thumbnail_error, copy_error;
};

// Both outputs of the encoded picture: `side` 0 for no thumbnail, `bounds`
// 0 x 0 for no copy, with `half` the copy at half its size too; the
// thumbnail of a picture that is no JPEG as JPEG when asked. Throws Error
// when the picture cannot be read.
Outputs Shrink(const std::string& bytes, int side, PixelSize bounds,
               bool thumbnail_as_jpeg, bool half) {
  if (bytes.empty()) throw Error("the file is empty", ErrorKind::kImageData);
  Outputs made;
  try {
    if (LooksLikeJpeg(bytes.data(), bytes.size())) {
      const JpegRequest request = {side, bounds.width, bounds.height,
                                   static_cast<int>(kMaxSide), half};
      if (auto jpeg = MakeJpegPictures(bytes.data(), bytes.size(), request)) {
        made.thumbnail = std::move(jpeg->thumbnail);
        made.copy = std::move(jpeg->copy);
        made.half = std::move(jpeg->half);
        made.copy_size = {jpeg->copy_width, jpeg->copy_height};
        made.incomplete = std::move(jpeg->incomplete);
        return made;
      }
    }
    MagickPictures magick = MakeMagickPictures(bytes, static_cast<size_t>(side),
                                               bounds, thumbnail_as_jpeg, half);
    made.thumbnail = std::move(magick.thumbnail);
    made.copy = std::move(magick.copy);
    made.half = std::move(magick.half);
    made.copy_size = magick.copy_size;
    if (!magick.thumbnail_failure.empty()) {
      made.thumbnail_error = PictureError(magick.thumbnail_failure);
    }
    if (!magick.copy_failure.empty()) {
      made.copy_error = PictureError(magick.copy_failure);
    }
  } catch (const PictureTooLarge& e) {
    throw Error(e.what(), ErrorKind::kImageData);
  } catch (const JpegError& e) {
    throw PictureError(e.what());
  } catch (const Magick::Exception& e) {
    throw PictureError(e.what());
  } catch (const std::bad_alloc&) {
    throw PictureError("not enough memory");
  }
  return made;
}

// Hides a TIFF's XMP packets from ImageMagick: no output keeps them, and
// reading a large one takes it minutes.
void HideTiffXmp(std::string* bytes) {
  for (const XmpPacket& packet : FindXmpPackets(*bytes)) {
    if (packet.in_tiff) HideXmpPacket(bytes->data(), packet);
  }
}

// True when the PNG or WebP file starting with `head` is an animation.
bool Animated(std::string_view head, const std::string& format) {
  if (format == "PNG") {
    const size_t control = head.find("acTL");
    return control != std::string_view::npos && control < head.find("IDAT");
  }
  return format == "WEBP" && head.size() > 20 && head.substr(12, 4) == "VP8X" &&
         (head[20] & 0x02) != 0;
}

// Throws Error(kImageData) when the file of `file_size` bytes starting with
// `head` cannot be made into a thumbnail: it holds a picture over the
// limits, or is far larger than the picture its header describes. A header
// that cannot be read here is left to the decoding.
void CheckHeader(std::string_view head, uint64_t file_size) {
  std::string format;
  PixelSize size;
  if (LooksLikeJpeg(head.data(), head.size())) {
    const auto jpeg = JpegShownSize(head.data(), head.size());
    if (!jpeg) return;
    format = "JPEG";
    size = {jpeg->first, jpeg->second};
  } else {
    try {
      size = PingShownSize(head, &format);
    } catch (const Magick::Exception&) {
      return;
    }
    if (int64_t{size.width} * size.height > kMaxMagickPixels) {
      throw Error(TooLargeText(size.width, size.height), ErrorKind::kImageData);
    }
  }
  static const std::set<std::string> kSingle = {"JPEG", "PNG", "BMP", "BMP3",
                                                "WEBP"};
  if (kSingle.count(format) > 0 && !Animated(head, format) &&
      FarLargerThanPicture(file_size, size.width, size.height)) {
    throw Error("the file is far larger than a picture of " +
                    std::to_string(size.width) + "x" +
                    std::to_string(size.height) + " can be (" +
                    std::to_string(file_size / kMiB) + " MB)",
                ErrorKind::kImageData);
  }
}

// The picture at `path`, read whole unless its header shows that it cannot
// be made (CheckHeader), with the XMP packets of a TIFF hidden. Throws
// Error.
std::string ReadWithinLimits(FileSystem& fs, const std::string& path) {
  const uint64_t file_size = fs.Status(path).size;
  if (file_size > static_cast<uint64_t>(kMetadataSlack)) {
    CheckHeader(ReadPicture(fs, path, kHeaderBytes), file_size);
  }
  std::string bytes = ReadPicture(fs, path);
  HideTiffXmp(&bytes);
  return bytes;
}

class MagickImageTool : public ImageTool {
 public:
  explicit MagickImageTool(FileSystem& fs) : fs_(fs) {}
  std::optional<PixelSize> PictureSize(const std::string& path) override;
  PictureResult MakePictureFiles(const PictureRequest& request) override;

 private:
  // The shown size of the encoded picture. Throws Error.
  static PixelSize SizeOf(const std::string& bytes);

  FileSystem& fs_;
};

PictureResult MagickImageTool::MakePictureFiles(const PictureRequest& request) {
  PictureResult result;
  int side = request.thumbnail.empty() ? 0 : request.thumbnail_size;
  if (!request.thumbnail.empty() &&
      (side <= 0 || static_cast<size_t>(side) > kMaxSide)) {
    result.thumbnail_error = Error("a thumbnail of " + std::to_string(side) +
                                   " pixels cannot be made");
    side = 0;
  }
  PixelSize bounds = request.copy.empty() ? PixelSize() : request.copy_bounds;
  if (!request.copy.empty() && (bounds.width <= 0 || bounds.height <= 0)) {
    result.copy_error =
        Error("a mid-size copy of " + std::to_string(bounds.width) + " x " +
              std::to_string(bounds.height) + " pixels cannot be made");
    bounds = {};
  }
  if (side == 0 && bounds.width == 0) return result;
  Outputs made;
  try {
    // A thumbnail named .jpg is a JPEG whatever the picture's format (the
    // thumbnail of a HEIC or TIFF picture that browsers are to show).
    const std::string extension = ToLowerAscii(ExtensionOf(request.thumbnail));
    made = Shrink(ReadWithinLimits(fs_, request.source), side, bounds,
                  extension == "jpg" || extension == "jpeg",
                  !request.half.empty());
  } catch (const Error& e) {
    if (side > 0) result.thumbnail_error = e;
    if (bounds.width > 0) result.copy_error = e;
    return result;
  }
  result.incomplete = made.incomplete;
  if (side > 0) {
    try {
      if (made.thumbnail_error) throw *made.thumbnail_error;
      WriteThumbnail(fs_, request.thumbnail, made.thumbnail);
    } catch (const Error& e) {
      result.thumbnail_error = e;
    }
  }
  if (made.copy_error) {
    result.copy_error = made.copy_error;
  } else if (!made.copy.empty()) {
    try {
      WriteMidSizeCopy(fs_, request.copy, made.copy);
      if (!request.half.empty()) {
        WriteMidSizeCopy(fs_, request.half, made.half);
      }
      result.copy_size = made.copy_size;
    } catch (const Error& e) {
      result.copy_error = e;
    }
  }
  return result;
}

std::optional<PixelSize> MagickImageTool::PictureSize(const std::string& path) {
  // The size sits in the first few kilobytes of nearly every picture: read
  // only the start of the file, and all of it only when that is not enough.
  bool whole = false;
  std::string bytes = ReadPicture(fs_, path, kHeaderBytes, &whole);
  if (bytes.empty()) {
    throw Error("the file is empty", ErrorKind::kImageData);
  }
  if (!whole) {
    try {
      HideTiffXmp(&bytes);
      return SizeOf(bytes);
    } catch (const Error&) {
      bytes = ReadPicture(fs_, path);
    }
  }
  HideTiffXmp(&bytes);
  return SizeOf(bytes);
}

PixelSize MagickImageTool::SizeOf(const std::string& bytes) {
  if (LooksLikeJpeg(bytes.data(), bytes.size())) {
    if (const auto size = JpegShownSize(bytes.data(), bytes.size())) {
      return {size->first, size->second};
    }
  }
  try {
    const PixelSize size = PingShownSize(bytes);
    if (size.width == 0 || size.height == 0)
      throw PictureError("no image data");
    return size;
  } catch (const Magick::Exception& e) {
    throw PictureError(e.what());
  } catch (const std::bad_alloc&) {
    throw PictureError("not enough memory");
  }
}

}  // namespace

std::unique_ptr<ImageTool> CreateMagickImageTool(FileSystem& fs) {
  try {
    InitializeMagickOnce();
  } catch (const std::exception& e) {
    throw Error(e.what());
  }
  return std::make_unique<MagickImageTool>(fs);
}

bool ImageLibraryReads(std::string_view extension) {
  try {
    InitializeMagickOnce();
    return Magick::CoderInfo(ToUpperAscii(extension)).isReadable();
  } catch (const std::exception&) {
    return false;  // a type the library does not know
  }
}

}  // namespace orvanta
