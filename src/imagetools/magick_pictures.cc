// Thumbnails and mid-size copies with Magick++. The picture is read once
// (a JPEG at 1/2 to 1/8 of its size when that still covers the outputs),
// turned upright by its EXIF orientation and, when far larger than its
// copy, first averaged down to twice the copy in one pass, so a
// 96-megapixel PNG is held whole only once. Both outputs come from that
// picture; the operations that make new pictures (scale, resize) never
// copy it.
//
// The picture is read from the caller's bytes themselves, never copied
// into a Magick::Blob. Pictures larger than kMaxMagickPixels are refused
// from their header, and each picture holds its share of the ImageMagick
// budget while it is worked on (picture_limits.h). TIFF tag 700, the XMP
// packet, is skipped: ImageMagick's XMP parser can take minutes on a large
// one, and no output keeps it.
//
// A thumbnail is the picture scaled to fit inside its size (a smaller one
// is enlarged) with ImageMagick's -resize filter, its profiles and
// comments stripped, in the format that was read; only the first frame of
// an animation is kept. A picture more than three times the thumbnail is
// first averaged down to twice its size (ImageMagick's -thumbnail samples
// instead, which loses fine lines).
//
// A copy is a JPEG fitted inside its bounds (never enlarged): quality as
// the photo's own for a JPEG, 85 for the rest; transparency flattened on
// white; CMYK and other colour models converted to sRGB; the picture's ICC
// profile kept (unless its colours were converted); no other profile, no
// comment.
#include "imagetools/magick_pictures.h"

#include <Magick++.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <new>
#include <set>
#include <string_view>

#include "imagetools/picture_limits.h"
#include "imagetools/resample.h"

namespace orvanta {
namespace {

constexpr size_t kCopyQuality = 85;

Magick::Image NewImage() {
  Magick::Image image;
  image.quiet(true);
  image.subRange(1);
  return image;
}

// Reads (with `ping` only the header of) the picture in `bytes` into
// `image`, with its options, straight from the bytes. Throws
// Magick::Exception.
void ReadBytes(Magick::Image& image, std::string_view bytes, bool ping) {
  MagickCore::ExceptionInfo* exception = MagickCore::AcquireExceptionInfo();
  MagickCore::Image* read =
      ping ? MagickCore::PingBlob(image.imageInfo(), bytes.data(), bytes.size(),
                                  exception)
           : MagickCore::BlobToImage(image.imageInfo(), bytes.data(),
                                     bytes.size(), exception);
  if (read != nullptr && read->next != nullptr) {  // only the first frame
    MagickCore::Image* rest = read->next;
    read->next = nullptr;
    rest->previous = nullptr;
    MagickCore::DestroyImageList(rest);
  }
  if (read != nullptr) image.replaceImage(read);
  // Destroys the exception when it throws, as Magick++'s own reads rely on.
  Magick::throwException(exception, image.quiet());
  MagickCore::DestroyExceptionInfo(exception);
  if (read == nullptr) throw Magick::ErrorCorruptImage("no image data");
}

bool IsTurned(Magick::OrientationType orientation) {
  return orientation == Magick::LeftTopOrientation ||
         orientation == Magick::RightTopOrientation ||
         orientation == Magick::RightBottomOrientation ||
         orientation == Magick::LeftBottomOrientation;
}

std::string Encoded(Magick::Image& image) {
  Magick::Blob output;
  image.write(&output);
  return std::string(static_cast<const char*>(output.data()), output.length());
}

// The size of the copy the picture `header` (pinged) needs; 0 x 0 when
// none.
PixelSize CopySize(const Magick::Image& header, PixelSize bounds) {
  int width = static_cast<int>(header.columns());
  int height = static_cast<int>(header.rows());
  if (IsTurned(header.orientation())) std::swap(width, height);
  if (bounds.width <= 0 || width <= 0 || height <= 0) return {};
  if (width > bounds.width || height > bounds.height) {
    PixelSize fit;
    FitInside(width, height, bounds.width, bounds.height, &fit.width,
              &fit.height);
    return fit;
  }
  if (BrowsersShow(header.magick())) return {};
  return {width, height};
}

// Reads the picture, upright, with a JPEG decoded at a scale that still
// holds `wanted` pixels both ways. Throws PictureTooLarge when
// ImageMagick's resources run out.
Magick::Image ReadUpright(std::string_view input, const Magick::Image& header,
                          size_t wanted) {
  Magick::Image image = NewImage();
  if (header.magick() == "JPEG" && header.columns() >= 2 * wanted &&
      header.rows() >= 2 * wanted) {
    const std::string side = std::to_string(wanted);
    image.defineValue("jpeg", "size", side + "x" + side);
  }
  const auto too_large = [&] {
    return PictureTooLarge(header.columns(), header.rows());
  };
  try {
    ReadBytes(image, input, false);
  } catch (const Magick::ErrorResourceLimit&) {
    throw too_large();
  } catch (const Magick::ErrorCache&) {
    throw too_large();
  }
  // Some decoders give up without a word (ImageMagick's own tools then say
  // "no images defined").
  if (image.columns() == 0 || image.rows() == 0) {
    throw Magick::ErrorCorruptImage("no image data");
  }
  image.autoOrient();
  return image;
}

std::string ThumbnailOf(Magick::Image image, size_t side, bool as_jpeg) {
  as_jpeg = as_jpeg && image.magick() != "JPEG";  // a JPEG stays as it is
  if (as_jpeg && image.colorSpace() != Magick::sRGBColorspace &&
      image.colorSpace() != Magick::GRAYColorspace) {
    image.colorSpace(Magick::sRGBColorspace);
  }
  if (image.columns() > 3 * side || image.rows() > 3 * side) {
    image.scale(Magick::Geometry(2 * side, 2 * side));
  }
  image.resize(Magick::Geometry(side, side));
  image.strip();
  if (as_jpeg) {
    if (image.matte()) {
      image.backgroundColor(Magick::Color("white"));
      image.alphaChannel(Magick::RemoveAlphaChannel);
    }
    image.magick("JPEG");
    image.depth(8);
    image.quality(kCopyQuality);
  }
  return Encoded(image);
}

// The copy; `photo_quality` that of a JPEG source, 0 for other formats;
// with `half` also the copy at half its size, resized from the copy.
std::string CopyOf(Magick::Image image, PixelSize size, size_t photo_quality,
                   std::string* half) {
  const Magick::Blob icc = image.profile("ICC");
  // Colours are averaged as light: a picture in other colours (CMYK, the
  // YCbCr of HEIC) is converted to sRGB before it is resized.
  const Magick::ColorspaceType space = image.colorSpace();
  const bool converted =
      space != Magick::sRGBColorspace && space != Magick::GRAYColorspace;
  if (converted) image.colorSpace(Magick::sRGBColorspace);
  if (static_cast<int>(image.columns()) != size.width ||
      static_cast<int>(image.rows()) != size.height) {
    Magick::Geometry exact(size.width, size.height);
    exact.aspect(true);
    image.resize(exact);
  }
  image.strip();
  if (image.matte()) {
    image.backgroundColor(Magick::Color("white"));
    image.alphaChannel(Magick::RemoveAlphaChannel);
  }
  if (!converted && icc.length() > 0) image.profile("ICC", icc);
  image.magick("JPEG");
  image.depth(8);
  image.quality(photo_quality > 0 ? photo_quality : kCopyQuality);
  if (photo_quality == 0) {
    // Lossless pictures often hold drawings and text, whose coloured edges
    // halved chroma would blur: every pixel keeps its own colour.
    image.defineValue("jpeg", "sampling-factor", "1x1");
  }
  std::string copy = Encoded(image);
  if (half != nullptr) {
    Magick::Geometry exact(HalfSide(size.width), HalfSide(size.height));
    exact.aspect(true);
    image.resize(exact);
    *half = Encoded(image);
  }
  return copy;
}

}  // namespace

bool BrowsersShow(const std::string& format) {
  static const std::set<std::string> kShown = {
      "JPEG",  "PJPEG", "PNG",   "PNG8", "PNG24", "PNG32", "PNG48", "PNG64",
      "PNG00", "GIF",   "GIF87", "WEBP", "BMP",   "BMP2",  "BMP3"};
  return kShown.count(format) > 0;
}

PixelSize PingShownSize(std::string_view bytes, std::string* format) {
  Magick::Image image = NewImage();
  ReadBytes(image, bytes, true);
  if (format != nullptr) *format = image.magick();
  int width = static_cast<int>(image.columns());
  int height = static_cast<int>(image.rows());
  if (IsTurned(image.orientation())) std::swap(width, height);
  return {width, height};
}

MagickPictures MakeMagickPictures(std::string_view input, size_t thumbnail_side,
                                  PixelSize copy_bounds, bool thumbnail_as_jpeg,
                                  bool half) {
  Magick::Image header = NewImage();
  ReadBytes(header, input, true);
  // A JPEG is decoded scaled down; libjpeg's path has checked its size.
  const int64_t pixels = static_cast<int64_t>(header.columns()) *
                         static_cast<int64_t>(header.rows());
  if (header.magick() != "JPEG" && pixels > kMaxMagickPixels) {
    throw PictureTooLarge(header.columns(), header.rows());
  }
  const MagickMemory memory(pixels * kMagickBytesPerPixel);
  MagickPictures made;
  made.copy_size = CopySize(header, copy_bounds);
  const bool copy = made.copy_size.width > 0;
  const size_t copy_side = static_cast<size_t>(
      std::max(made.copy_size.width, made.copy_size.height));
  Magick::Image image =
      ReadUpright(input, header, std::max(2 * thumbnail_side, copy_side));
  if (copy &&
      (image.columns() > 3 * static_cast<size_t>(made.copy_size.width) ||
       image.rows() > 3 * static_cast<size_t>(made.copy_size.height))) {
    image.scale(
        Magick::Geometry(2 * made.copy_size.width, 2 * made.copy_size.height));
  }
  const size_t photo_quality = header.magick() == "JPEG" ? image.quality() : 0;
  auto attempt = [](std::string* output, std::string* failure,
                    const std::function<std::string()>& make) {
    try {
      *output = make();
      if (output->empty()) *failure = "nothing was encoded";
    } catch (const Magick::Exception& e) {
      *failure = e.what();
    } catch (const std::bad_alloc&) {
      *failure = "not enough memory";
    }
  };
  if (thumbnail_side > 0) {
    attempt(&made.thumbnail, &made.thumbnail_failure, [&] {
      return ThumbnailOf(image, thumbnail_side, thumbnail_as_jpeg);
    });
  }
  if (copy) {
    attempt(&made.copy, &made.copy_failure, [&] {
      return CopyOf(image, made.copy_size, photo_quality,
                    half ? &made.half : nullptr);
    });
  }
  return made;
}

}  // namespace orvanta
