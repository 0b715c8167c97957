// Fitting, resampling and orienting 8-bit pictures.
#include "imagetools/resample.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace orvanta {
namespace {

constexpr double kLobes = 3;

double Sinc(double x) {
  if (x == 0) return 1;
  x *= std::numbers::pi;
  return std::sin(x) / x;
}

double Lanczos(double x) {
  x = std::fabs(x);
  return x < kLobes ? Sinc(x) * Sinc(x / kLobes) : 0;
}

// The input pixels and their weights that make one output pixel.
struct Taps {
  int first = 0;
  std::vector<float> weights;
};

// For each of `out` pixels along an axis of `in` pixels: as ImageMagick's
// resize weighs them, the filter widened by the reduction when reducing.
std::vector<Taps> Contributions(int in, int out) {
  const double scale = static_cast<double>(out) / in;
  const double blur = std::max(1.0 / scale, 1.0);
  const double support = kLobes * blur;
  std::vector<Taps> all(out);
  for (int i = 0; i < out; ++i) {
    const double center = (i + 0.5) / scale;
    const int start =
        std::clamp(static_cast<int>(center - support + 0.5), 0, in - 1);
    const int stop =
        std::clamp(static_cast<int>(center + support + 0.5), start + 1, in);
    std::vector<double> weights;
    double sum = 0;
    for (int j = start; j < stop; ++j) {
      weights.push_back(Lanczos((j - center + 0.5) / blur));
      sum += weights.back();
    }
    all[i].first = start;
    for (double weight : weights) {
      all[i].weights.push_back(static_cast<float>(
          sum != 0 ? weight / sum : 1.0 / static_cast<double>(weights.size())));
    }
  }
  return all;
}

uint8_t ToByte(float value) {
  return static_cast<uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

}  // namespace

void FitInside(int width, int height, int box, int* fit_width,
               int* fit_height) {
  const double scale = std::min(static_cast<double>(box) / width,
                                static_cast<double>(box) / height);
  *fit_width = std::max(1, static_cast<int>(std::floor(width * scale + 0.5)));
  *fit_height = std::max(1, static_cast<int>(std::floor(height * scale + 0.5)));
}

bool SwapsSides(int orientation) {
  return orientation >= 5 && orientation <= 8;
}

Pixels Resample(const Pixels& in, int width, int height) {
  const int c = in.channels;
  // Down each column first, into rows of floats (the long, contiguous
  // work); then across each of the few rows left.
  const std::vector<Taps> down = Contributions(in.height, height);
  const size_t in_stride = static_cast<size_t>(in.width) * c;
  std::vector<float> rows(in_stride * height);
  for (int y = 0; y < height; ++y) {
    float* sums = rows.data() + y * in_stride;
    const uint8_t* source = in.Row(down[y].first);
    for (float weight : down[y].weights) {
      for (size_t i = 0; i < in_stride; ++i) sums[i] += weight * source[i];
      source += in_stride;
    }
  }
  const std::vector<Taps> across = Contributions(in.width, width);
  Pixels out;
  out.Allocate(width, height, c);
  for (int y = 0; y < height; ++y) {
    const float* source = rows.data() + y * in_stride;
    uint8_t* target = out.Row(y);
    for (int x = 0; x < width; ++x) {
      const Taps& taps = across[x];
      float sums[4] = {0, 0, 0, 0};
      const float* pixel = source + static_cast<size_t>(taps.first) * c;
      for (float weight : taps.weights) {
        for (int k = 0; k < c; ++k) sums[k] += weight * pixel[k];
        pixel += c;
      }
      for (int k = 0; k < c; ++k) *target++ = ToByte(sums[k]);
    }
  }
  return out;
}

Pixels Orient(const Pixels& in, int orientation) {
  if (orientation < 2 || orientation > 8) return in;
  const int w = in.width, h = in.height, c = in.channels;
  Pixels out;
  if (SwapsSides(orientation)) {
    out.Allocate(h, w, c);
  } else {
    out.Allocate(w, h, c);
  }
  for (int oy = 0; oy < out.height; ++oy) {
    uint8_t* target = out.Row(oy);
    for (int ox = 0; ox < out.width; ++ox) {
      // The stored pixel shown at (ox, oy).
      int ix = ox, iy = oy;
      switch (orientation) {
        case 2:
          ix = w - 1 - ox;
          break;
        case 3:
          ix = w - 1 - ox;
          iy = h - 1 - oy;
          break;
        case 4:
          iy = h - 1 - oy;
          break;
        case 5:
          ix = oy;
          iy = ox;
          break;
        case 6:
          ix = oy;
          iy = h - 1 - ox;
          break;
        case 7:
          ix = w - 1 - oy;
          iy = h - 1 - ox;
          break;
        case 8:
          ix = w - 1 - oy;
          iy = ox;
          break;
      }
      std::copy_n(in.Row(iy) + static_cast<size_t>(ix) * c, c,
                  target + static_cast<size_t>(ox) * c);
    }
  }
  return out;
}

}  // namespace orvanta
