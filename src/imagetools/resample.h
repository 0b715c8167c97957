// Pictures as rows of 8-bit pixels, and what a thumbnail needs between
// decoding and encoding: the size that fits a box, resampling with a
// Lanczos filter (as ImageMagick's -resize does), and turning by an EXIF
// orientation.
#ifndef ORVANTA_IMAGETOOLS_RESAMPLE_H_
#define ORVANTA_IMAGETOOLS_RESAMPLE_H_

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orvanta {

struct Pixels {
  int width = 0;
  int height = 0;
  int channels = 0;           // 1 grey, 3 red green blue
  std::vector<uint8_t> data;  // rows top to bottom, channels interleaved

  void Allocate(int w, int h, int c) {
    width = w;
    height = h;
    channels = c;
    data.assign(static_cast<size_t>(w) * h * c, 0);
  }
  uint8_t* Row(int y) {
    return data.data() + static_cast<size_t>(y) * width * channels;
  }
  const uint8_t* Row(int y) const {
    return data.data() + static_cast<size_t>(y) * width * channels;
  }
};

// The largest size with the aspect of width x height that fits inside
// box x box, rounded as ImageMagick rounds a geometry (a smaller picture
// is enlarged); never less than 1 x 1.
void FitInside(int width, int height, int box, int* fit_width, int* fit_height);

// True for the EXIF orientations 5 to 8: the picture is shown turned by a
// quarter, its width as its height.
bool SwapsSides(int orientation);

// `in` resampled to width x height, smaller or larger, with a Lanczos
// filter of three lobes.
Pixels Resample(const Pixels& in, int width, int height);

// `in` as it is shown under EXIF orientation 1 to 8 (any other: as is).
Pixels Orient(const Pixels& in, int orientation);

}  // namespace orvanta

#endif  // ORVANTA_IMAGETOOLS_RESAMPLE_H_
