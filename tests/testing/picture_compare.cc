// ImageMagick's resize of whole pictures and the PSNR of two pictures.
#include "testing/picture_compare.h"

#include <cmath>
#include <cstdint>

namespace orvanta::testing {
namespace {

std::string RgbaOf(Magick::Image image) {
  Magick::Blob blob;
  image.write(&blob, "RGBA", 8);
  return std::string(static_cast<const char*>(blob.data()), blob.length());
}

}  // namespace

Magick::Image ResizedByMagick(const std::string& path, int width, int height,
                              bool as_jpeg) {
  Magick::Image image(path + "[0]");
  image.autoOrient();
  if (as_jpeg && image.matte()) {
    image.backgroundColor(Magick::Color("white"));
    image.alphaChannel(Magick::RemoveAlphaChannel);
  }
  if (as_jpeg && image.colorSpace() == Magick::CMYKColorspace) {
    image.colorSpace(Magick::sRGBColorspace);
  }
  Magick::Geometry box(width, height);
  box.greater(as_jpeg);  // copies are never enlarged
  image.resize(box);
  return image;
}

PictureSize SizeOf(const Magick::Image& image) {
  return {static_cast<int>(image.columns()), static_cast<int>(image.rows())};
}

double Psnr(const Magick::Image& a, const Magick::Image& b) {
  if (SizeOf(a) != SizeOf(b)) return 0;
  const std::string x = RgbaOf(a), y = RgbaOf(b);
  double squares = 0;
  for (size_t i = 0; i < x.size(); ++i) {
    const double d = static_cast<uint8_t>(x[i]) - static_cast<uint8_t>(y[i]);
    squares += d * d;
  }
  return squares == 0 ? 99 : 10 * std::log10(255.0 * 255 * x.size() / squares);
}

}  // namespace orvanta::testing
