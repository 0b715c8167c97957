// Pictures made by the image tool against ImageMagick's own -resize of the
// whole picture: the reference and the likeness in dB.
#ifndef ORVANTA_TESTING_PICTURE_COMPARE_H_
#define ORVANTA_TESTING_PICTURE_COMPARE_H_

#include <Magick++.h>

#include <string>

#include "testing/test_pictures.h"

namespace orvanta::testing {

// The first frame of the picture at `path`, turned upright and fitted
// inside width x height by ImageMagick's -resize. With `as_jpeg`, as a
// JPEG copy must show it: flattened on white, CMYK converted to sRGB, and
// only made smaller.
Magick::Image ResizedByMagick(const std::string& path, int width, int height,
                              bool as_jpeg = false);

PictureSize SizeOf(const Magick::Image& image);

// The peak signal-to-noise ratio in dB of two pictures of one size,
// compared as 8-bit RGBA: 99 when they are equal, 0 when their sizes
// differ.
double Psnr(const Magick::Image& a, const Magick::Image& b);

}  // namespace orvanta::testing

#endif  // ORVANTA_TESTING_PICTURE_COMPARE_H_
