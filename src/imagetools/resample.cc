// Fitting, resampling and orienting 8-bit pictures. The filter runs down
// the columns first, as each input row comes in, then across the few
// output rows: the long, contiguous work vectorises (the file is built at
// -O3) and no more than a handful of rows is held besides the result.
#include "imagetools/resample.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

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

// For each of `out` pixels along an axis of `in` pixels: as ImageMagick's
// resize weighs them, the filter widened by the reduction when reducing.
// Every pixel gets the same number of taps (the most any needs), the
// missing ones weighing nothing, so the loops across have a fixed length.
FilterAxis Contributions(int in, int out) {
  const double scale = static_cast<double>(out) / in;
  const double blur = std::max(1.0 / scale, 1.0);
  const double support = kLobes * blur;
  std::vector<int> starts(out), stops(out);
  FilterAxis axis;
  for (int i = 0; i < out; ++i) {
    const double center = (i + 0.5) / scale;
    starts[i] = std::clamp(static_cast<int>(center - support + 0.5), 0, in - 1);
    stops[i] =
        std::clamp(static_cast<int>(center + support + 0.5), starts[i] + 1, in);
    axis.taps = std::max(axis.taps, stops[i] - starts[i]);
  }
  axis.first.resize(out);
  axis.weights.assign(static_cast<size_t>(out) * axis.taps, 0.0f);
  std::vector<double> weights;
  for (int i = 0; i < out; ++i) {
    const double center = (i + 0.5) / scale;
    weights.clear();
    double sum = 0;
    for (int j = starts[i]; j < stops[i]; ++j) {
      weights.push_back(Lanczos((j - center + 0.5) / blur));
      sum += weights.back();
    }
    axis.first[i] = std::min(starts[i], in - axis.taps);
    float* target = axis.weights.data() + static_cast<size_t>(i) * axis.taps +
                    (starts[i] - axis.first[i]);
    for (double weight : weights) {
      *target++ = static_cast<float>(
          sum != 0 ? weight / sum : 1.0 / static_cast<double>(weights.size()));
    }
  }
  return axis;
}

// Four floats summed at once. A vector type of the compiler's own: SSE on
// x86-64, NEON on ARM, plain loops elsewhere.
using Lanes = float __attribute__((vector_size(16)));
using IntLanes = int32_t __attribute__((vector_size(16)));

Lanes Load(const float* at) {
  Lanes value;
  std::memcpy(&value, at, sizeof value);
  return value;
}

// The sums rounded to bytes between 0 and 255.
IntLanes ToBytes(Lanes sums) {
  IntLanes bytes = __builtin_convertvector(sums + 0.5f, IntLanes);
  bytes = bytes < 0 ? 0 : bytes;
  return bytes > 255 ? 255 : bytes;
}

// sums[i] = the taps' rows at i, weighed, for i below `length` (and up to
// three more: the rows have room).
void FilterDown(const float* const* rows, const float* weights, int taps,
                size_t length, float* sums) {
  for (size_t i = 0; i < length; i += 8) {
    Lanes low = weights[0] * Load(rows[0] + i);
    Lanes high = weights[0] * Load(rows[0] + i + 4);
    for (int t = 1; t < taps; ++t) {
      low += weights[t] * Load(rows[t] + i);
      high += weights[t] * Load(rows[t] + i + 4);
    }
    std::memcpy(sums + i, &low, sizeof low);
    std::memcpy(sums + i + 4, &high, sizeof high);
  }
}

// One row of sums filtered across into `target`: red, green and blue
// summed at once in the first three lanes (the fourth, the next pixel's
// red, is read past and dropped), grey four output pixels at a time.
void FilterAcross(const FilterAxis& axis, int channels, const float* row,
                  uint8_t* target) {
  const int taps = axis.taps;
  const float* weights = axis.weights.data();
  const size_t width = axis.first.size();
  for (size_t x = 0; x < width; ++x, weights += taps) {
    const float* pixel = row + static_cast<size_t>(axis.first[x]) * channels;
    Lanes sums = {0, 0, 0, 0};
    if (channels == 3) {
      for (int t = 0; t < taps; ++t, pixel += 3) {
        sums += weights[t] * Load(pixel);
      }
    } else {
      for (int t = 0; t < taps; ++t) sums[0] += weights[t] * pixel[t];
    }
    const IntLanes bytes = ToBytes(sums);
    for (int k = 0; k < channels; ++k)
      *target++ = static_cast<uint8_t>(bytes[k]);
  }
}

}  // namespace

void FitInside(int width, int height, int box_width, int box_height,
               int* fit_width, int* fit_height) {
  const double scale = std::min(static_cast<double>(box_width) / width,
                                static_cast<double>(box_height) / height);
  *fit_width = std::max(1, static_cast<int>(std::floor(width * scale + 0.5)));
  *fit_height = std::max(1, static_cast<int>(std::floor(height * scale + 0.5)));
}

void FitInside(int width, int height, int box, int* fit_width,
               int* fit_height) {
  FitInside(width, height, box, box, fit_width, fit_height);
}

bool SwapsSides(int orientation) {
  return orientation >= 5 && orientation <= 8;
}

RowResampler::RowResampler(int in_width, int in_height, int channels, int width,
                           int height)
    : down_(Contributions(in_height, height)),
      across_(Contributions(in_width, width)),
      length_(static_cast<size_t>(in_width) * channels),
      // Room for the filter down to run eight floats at a time and for the
      // filter across to read one float past a row.
      stride_((length_ + 8) / 8 * 8),
      rows_(stride_ * down_.taps),
      sums_(stride_),
      taps_(down_.taps) {
  out_.Allocate(width, height, channels);
}

void RowResampler::Add(const uint8_t* row) {
  const int r = next_in_++;
  const int taps = down_.taps;
  float* slot = rows_.data() + static_cast<size_t>(r % taps) * stride_;
  for (size_t i = 0; i < length_; ++i) slot[i] = row[i];
  while (next_out_ < out_.height && down_.first[next_out_] + taps - 1 == r) {
    const int first = down_.first[next_out_];
    for (int t = 0; t < taps; ++t) {
      taps_[t] =
          rows_.data() + static_cast<size_t>((first + t) % taps) * stride_;
    }
    FilterDown(taps_.data(),
               down_.weights.data() + static_cast<size_t>(next_out_) * taps,
               taps, length_, sums_.data());
    FilterAcross(across_, out_.channels, sums_.data(), out_.Row(next_out_));
    ++next_out_;
  }
}

Pixels Resample(const Pixels& in, int width, int height) {
  RowResampler resampler(in.width, in.height, in.channels, width, height);
  for (int y = 0; y < in.height; ++y) resampler.Add(in.Row(y));
  return resampler.Take();
}

Pixels AverageDown(const Pixels& in, int factor) {
  const int c = in.channels;
  Pixels out;
  out.Allocate((in.width + factor - 1) / factor,
               (in.height + factor - 1) / factor, c);
  const size_t length = static_cast<size_t>(in.width) * c;
  std::vector<uint32_t> column_sums(length);
  for (int oy = 0; oy < out.height; ++oy) {
    const int top = oy * factor, bottom = std::min(top + factor, in.height);
    std::fill(column_sums.begin(), column_sums.end(), 0);
    for (int y = top; y < bottom; ++y) {
      const uint8_t* row = in.Row(y);
      for (size_t i = 0; i < length; ++i) column_sums[i] += row[i];
    }
    uint8_t* target = out.Row(oy);
    for (int ox = 0; ox < out.width; ++ox) {
      const int left = ox * factor, right = std::min(left + factor, in.width);
      const uint32_t count =
          static_cast<uint32_t>((right - left) * (bottom - top));
      for (int k = 0; k < c; ++k) {
        uint32_t sum = 0;
        for (int x = left; x < right; ++x) {
          sum += column_sums[static_cast<size_t>(x) * c + k];
        }
        *target++ = static_cast<uint8_t>((sum + count / 2) / count);
      }
    }
  }
  return out;
}

namespace {

// Copies the pixels of `in` to `out` walking `in` from `start` by `step_x`
// pixels along an output row and `step_y` down the output rows.
template <int kChannels>
void Walk(const Pixels& in, ptrdiff_t start, ptrdiff_t step_x, ptrdiff_t step_y,
          Pixels* out) {
  for (int oy = 0; oy < out->height; ++oy) {
    const uint8_t* source = in.data.data() + (start + oy * step_y) * kChannels;
    uint8_t* target = out->Row(oy);
    for (int ox = 0; ox < out->width; ++ox) {
      std::memcpy(target, source, kChannels);
      target += kChannels;
      source += step_x * kChannels;
    }
  }
}

}  // namespace

Pixels Orient(Pixels in, int orientation) {
  if (orientation < 2 || orientation > 8) return in;
  const ptrdiff_t w = in.width, h = in.height;
  // The stored pixel shown at the top left, and the steps to the pixels
  // shown right of it and below it.
  static constexpr struct {
    int corner_x, corner_y, right_x, right_y, down_x, down_y;
  } kWalks[] = {{0, 0, 1, 0, 0, 1},   {1, 0, -1, 0, 0, 1}, {1, 1, -1, 0, 0, -1},
                {0, 1, 1, 0, 0, -1},  {0, 0, 0, 1, 1, 0},  {0, 1, 0, -1, 1, 0},
                {1, 1, 0, -1, -1, 0}, {1, 0, 0, 1, -1, 0}};
  const auto& walk = kWalks[orientation - 1];
  const ptrdiff_t start = walk.corner_y * (h - 1) * w + walk.corner_x * (w - 1);
  const ptrdiff_t step_x = walk.right_y * w + walk.right_x;
  const ptrdiff_t step_y = walk.down_y * w + walk.down_x;
  Pixels out;
  if (SwapsSides(orientation)) {
    out.Allocate(in.height, in.width, in.channels);
  } else {
    out.Allocate(in.width, in.height, in.channels);
  }
  switch (in.channels) {
    case 1:
      Walk<1>(in, start, step_x, step_y, &out);
      break;
    case 3:
      Walk<3>(in, start, step_x, step_y, &out);
      break;
    default:
      Walk<4>(in, start, step_x, step_y, &out);
      break;
  }
  return out;
}

}  // namespace orvanta
