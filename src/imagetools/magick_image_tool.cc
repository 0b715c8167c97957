// The image tool on Magick++ (ImageMagick 6). Pictures are read into memory
// through the FileSystem and decoded from there; thumbnails are encoded in
// memory and then replace the file whole.
//
// Resource limits, set once for the whole process when the first tool is
// created:
//   width, height  32768 pixels: a file claiming more (a decompression
//                  bomb) is refused at once, before any pixel memory is
//                  taken;
//   memory 1 GiB, map 1 GiB, disk 1 GiB for the pixel caches of all
//                  pictures being worked on: a 100-megapixel PNG needs
//                  800 MB (16-bit RGBA); past them a picture is refused;
//   area 256 megapixels: larger pictures skip the memory cache;
//   threads 1: the program runs several workers itself.
// ImageMagick's policy file can only lower them (Debian's default: 16K
// sides, 256 MiB memory, 512 MiB map, 1 GiB disk, 128 MP area, so there
// PNGs above some 50 megapixels are refused). JPEGs are decoded at 1/2 to
// 1/8 of their size, so even 100-megapixel photos need little memory.
//
// A thumbnail is the picture scaled to fit inside the size (a smaller one
// is enlarged) with ImageMagick's -resize filter, turned upright by its
// EXIF orientation, its profiles and comments stripped; only the first
// frame of an animation is kept. JPEGs take libjpeg's scaled path
// (jpeg_thumbnail.h); the rest, and the rare CMYK JPEG, go through
// Magick++.
//
// Warnings are not failures: a JPEG cut off in its picture data decodes
// with a warning and its thumbnail shows the missing part grey, as
// ImageMagick's own mogrify does; this beats keeping the full-size copy as
// the thumbnail. A file that cannot be decoded at all is an error.
#include <Magick++.h>

#include <algorithm>
#include <mutex>
#include <new>
#include <string>
#include <vector>

#include "common/error.h"
#include "imagetools/image_tool.h"
#include "imagetools/jpeg_thumbnail.h"
#include "imagetools/picture_files.h"

namespace orvanta {
namespace {

constexpr MagickCore::MagickSizeType kMaxSide = 32768;
constexpr MagickCore::MagickSizeType kMiB = 1024 * 1024;
constexpr MagickCore::MagickSizeType kCacheLimit = 1024 * kMiB;
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
    Magick::ResourceLimits::disk(kCacheLimit);
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

// True for the EXIF orientations that turn the picture by 90 degrees.
bool IsTurned(Magick::OrientationType orientation) {
  return orientation == Magick::LeftTopOrientation ||
         orientation == Magick::RightTopOrientation ||
         orientation == Magick::RightBottomOrientation ||
         orientation == Magick::LeftBottomOrientation;
}

// A fresh image that reads only the first frame and ignores warnings.
Magick::Image NewImage() {
  Magick::Image image;
  image.quiet(true);
  image.subRange(1);
  return image;
}

class MagickImageTool : public ImageTool {
 public:
  explicit MagickImageTool(FileSystem& fs) : fs_(fs) {}
  std::optional<PixelSize> PictureSize(const std::string& path) override;
  void MakeThumbnail(const std::string& source, const std::string& target,
                     int size) override;

 private:
  // Shrinks the encoded picture; returns the thumbnail encoded in the same
  // format. Throws Magick::Exception or std::bad_alloc on failure.
  static std::string ShrinkEncoded(const Magick::Blob& input, size_t width,
                                   size_t height);
  // The thumbnail of the encoded picture. Throws Error.
  static std::string ThumbnailOf(const std::string& bytes, size_t side);
  // The shown size of the encoded picture. Throws Error.
  static PixelSize SizeOf(const std::string& bytes);

  FileSystem& fs_;
};

std::string MagickImageTool::ShrinkEncoded(const Magick::Blob& input,
                                           size_t width, size_t height) {
  Magick::Image image = NewImage();
  // A JPEG decodes much faster at 1/2, 1/4 or 1/8 of its size; ask for at
  // least twice the thumbnail's size in both directions (either may end up
  // the width after the EXIF turn) so the final shrink keeps its quality.
  Magick::Image header = NewImage();
  header.ping(input);
  if (header.magick() == "JPEG") {
    size_t wanted = 2 * std::max(width, height);
    if (header.columns() >= 2 * wanted && header.rows() >= 2 * wanted) {
      std::string hint = std::to_string(wanted) + "x" + std::to_string(wanted);
      image.defineValue("jpeg", "size", hint);
    }
  }
  image.read(input);
  // Some decoders give up without a word (ImageMagick's own tools then say
  // "no images defined").
  if (image.columns() == 0 || image.rows() == 0) {
    throw Magick::ErrorCorruptImage("no image data");
  }
  image.autoOrient();
  image.strip();  // profiles and comments
  // A picture more than three times the thumbnail is first averaged down
  // to twice its size in one pass, so the final filter weighs few pixels
  // (ImageMagick's -thumbnail samples instead, which loses fine lines).
  if (image.columns() > 3 * width || image.rows() > 3 * height) {
    image.scale(Magick::Geometry(2 * width, 2 * height));
  }
  image.resize(Magick::Geometry(width, height));
  Magick::Blob output;
  image.write(&output);  // in the format that was read, with its quality
  return std::string(static_cast<const char*>(output.data()), output.length());
}

std::string MagickImageTool::ThumbnailOf(const std::string& bytes,
                                         size_t side) {
  if (bytes.empty()) {
    throw Error("the file is empty", ErrorKind::kImageData);
  }
  std::string thumbnail;
  try {
    if (LooksLikeJpeg(bytes.data(), bytes.size())) {
      thumbnail =
          JpegThumbnail(bytes.data(), bytes.size(), static_cast<int>(side),
                        static_cast<int>(kMaxSide))
              .value_or("");
    }
    if (thumbnail.empty()) {
      thumbnail =
          ShrinkEncoded(Magick::Blob(bytes.data(), bytes.size()), side, side);
    }
  } catch (const JpegError& e) {
    throw PictureError(e.what());
  } catch (const Magick::Exception& e) {
    throw PictureError(e.what());
  } catch (const std::bad_alloc&) {
    throw PictureError("not enough memory");
  }
  if (thumbnail.empty())
    throw PictureError("the thumbnail could not be encoded");
  return thumbnail;
}

void MagickImageTool::MakeThumbnail(const std::string& source,
                                    const std::string& target, int size) {
  if (size <= 0 || static_cast<size_t>(size) > kMaxSide || target.empty()) {
    throw Error(
        "a thumbnail of " + std::to_string(size) + " pixels cannot be made",
        ErrorKind::kGeneral);
  }
  const std::string thumbnail =
      ThumbnailOf(ReadPicture(fs_, source), static_cast<size_t>(size));
  WriteThumbnail(fs_, target, thumbnail);
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
      return SizeOf(bytes);
    } catch (const Error&) {
      bytes = ReadPicture(fs_, path);
    }
  }
  return SizeOf(bytes);
}

PixelSize MagickImageTool::SizeOf(const std::string& bytes) {
  if (LooksLikeJpeg(bytes.data(), bytes.size())) {
    if (const auto size = JpegShownSize(bytes.data(), bytes.size())) {
      return {size->first, size->second};
    }
  }
  try {
    Magick::Image image = NewImage();
    image.ping(Magick::Blob(bytes.data(), bytes.size()));
    size_t width = image.columns();
    size_t height = image.rows();
    if (IsTurned(image.orientation())) std::swap(width, height);
    if (width == 0 || height == 0) throw PictureError("no image data");
    return {static_cast<int>(width), static_cast<int>(height)};
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

}  // namespace orvanta
