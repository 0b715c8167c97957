// Pictures as rows of 8-bit pixels, and what thumbnails and mid-size copies
// need between decoding and encoding: the size that fits a box, resampling
// with a Lanczos filter (as ImageMagick's -resize does), row by row as a
// decoder gives the rows, and turning by an EXIF orientation.
#ifndef ORVANTA_IMAGETOOLS_RESAMPLE_H_
#define ORVANTA_IMAGETOOLS_RESAMPLE_H_

#include <cstddef>
#include <cstdint>
#include <utility>
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
// box_width x box_height, rounded as ImageMagick rounds a geometry (a
// smaller picture is enlarged); never less than 1 x 1.
void FitInside(int width, int height, int box_width, int box_height,
               int* fit_width, int* fit_height);
// The same inside box x box.
void FitInside(int width, int height, int box, int* fit_width, int* fit_height);

// The size of a half-size copy of a width x height picture: each side
// halved, rounded up.
inline int HalfSide(int side) { return (side + 1) / 2; }

// True for the EXIF orientations 5 to 8: the picture is shown turned by a
// quarter, its width as its height.
bool SwapsSides(int orientation);

// Lanczos with three lobes, as ImageMagick's -resize shrinks; a triangle
// (bilinear when enlarging), with a third of its taps, for reductions by
// two or more, where it comes within a few dB of it.
enum class Filter { kLanczos3, kTriangle };

// Where the filter takes the pixels of each output pixel along one axis:
// `taps` input pixels from first[i], weighed by weights[i * taps ...].
struct FilterAxis {
  int taps = 0;
  std::vector<int> first;
  std::vector<float> weights;
};

// Resamples a picture that arrives row by row, top to bottom, to width x
// height: each output row is filtered down from the last few input rows as
// soon as its last one is in, then across. Holds only those few rows
// besides the result; takes all its memory up front.
class RowResampler {
 public:
  // Throws std::bad_alloc.
  RowResampler(int in_width, int in_height, int channels, int width, int height,
               Filter filter);
  // The next input row (in_width x channels bytes). Allocates nothing.
  void Add(const uint8_t* row);
  // Or the next input row as floats: written into RowToFill() (in_width x
  // channels of them), then taken by AddFilled().
  float* RowToFill();
  void AddFilled();
  // The result, once every input row is in.
  Pixels Take() { return std::move(out_); }

 private:
  FilterAxis down_, across_;
  size_t length_;            // bytes in an input row: in_width x channels
  size_t stride_;            // floats in a row held: more than length_
  int next_in_ = 0;          // the input row Add expects
  int next_out_ = 0;         // the first output row not yet made
  std::vector<float> rows_;  // the last down_.taps input rows, a ring
  std::vector<float> sums_;  // one output row filtered down
  std::vector<float> across_sums_;  // and across
  std::vector<const float*> taps_;
  Pixels out_;
};

// `in` resampled to width x height, smaller or larger, with a Lanczos
// filter of three lobes.
Pixels Resample(const Pixels& in, int width, int height);

// `in` shrunk by `factor` both ways, each pixel the mean of a factor x
// factor block (fewer at the right and bottom edges): a cheap first step
// of a large reduction, as libjpeg's scaled decoding is.
Pixels AverageDown(const Pixels& in, int factor);

// `in` as it is shown under EXIF orientation 1 to 8 (any other: as is).
Pixels Orient(Pixels in, int orientation);

}  // namespace orvanta

#endif  // ORVANTA_IMAGETOOLS_RESAMPLE_H_
