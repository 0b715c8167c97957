// Fitting, resampling and orienting 8-bit pictures. The filter runs down
// the columns first, as each input row comes in, then across the few
// output rows: the long, contiguous work vectorises (the file is built at
// -O3) and no more than a handful of rows is held besides the result.
#include "imagetools/resample.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "imagetools/row_loops.h"

namespace orvanta {
namespace {

constexpr double kLobes = 3;

// The filter's reach, in input pixels at a scale of 1.
double Support(Filter filter) {
  return filter == Filter::kTriangle ? 1 : kLobes;
}

double Sinc(double x) {
  if (x == 0) return 1;
  x *= std::numbers::pi;
  return std::sin(x) / x;
}

double Weight(Filter filter, double x) {
  x = std::fabs(x);
  if (filter == Filter::kTriangle) return std::max(0.0, 1 - x);
  return x < kLobes ? Sinc(x) * Sinc(x / kLobes) : 0;
}

// For each of `out` pixels along an axis of `in` pixels: as ImageMagick's
// resize weighs them, the filter widened by the reduction when reducing.
// Every pixel gets the same number of taps (the most any needs), the
// missing ones weighing nothing, so the loops across have a fixed length.
FilterAxis Contributions(int in, int out, Filter filter) {
  const double scale = static_cast<double>(out) / in;
  const double blur = std::max(1.0 / scale, 1.0);
  const double support = Support(filter) * blur;
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
      weights.push_back(Weight(filter, (j - center + 0.5) / blur));
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

// One row of grey sums filtered across into `sums` (rare: plainly).
void FilterAcrossGrey(const FilterAxis& axis, const float* row, float* sums) {
  const int taps = axis.taps;
  const float* weights = axis.weights.data();
  for (size_t x = 0; x < axis.first.size(); ++x, weights += taps) {
    const float* pixel = row + axis.first[x];
    float sum = 0;
    for (int t = 0; t < taps; ++t) sum += weights[t] * pixel[t];
    *sums++ = sum;
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
                           int height, Filter filter)
    : down_(Contributions(in_height, height, filter)),
      across_(Contributions(in_width, width, filter)),
      length_(static_cast<size_t>(in_width) * channels),
      // Room for the filter down to run sixteen floats at a time and for the
      // filter across to read one float past a row.
      stride_((length_ + 16) / 16 * 16),
      rows_(stride_ * down_.taps),
      sums_(stride_),
      across_sums_(static_cast<size_t>(width) * channels + 1),
      taps_(down_.taps) {
  out_.Allocate(width, height, channels);
}

void RowResampler::Add(const uint8_t* row) {
  FastestRowLoops().to_floats(row, length_, RowToFill());
  AddFilled();
}

float* RowResampler::RowToFill() {
  return rows_.data() + static_cast<size_t>(next_in_ % down_.taps) * stride_;
}

void RowResampler::AddFilled() {
  const int r = next_in_++;
  const int taps = down_.taps;
  const RowLoops& loops = FastestRowLoops();
  while (next_out_ < out_.height && down_.first[next_out_] + taps - 1 == r) {
    const int first = down_.first[next_out_];
    for (int t = 0; t < taps; ++t) {
      taps_[t] =
          rows_.data() + static_cast<size_t>((first + t) % taps) * stride_;
    }
    loops.filter_down(
        taps_.data(),
        down_.weights.data() + static_cast<size_t>(next_out_) * taps, taps,
        length_, sums_.data());
    if (out_.channels == 3) {
      loops.filter_across_rgb(across_, sums_.data(), across_sums_.data());
    } else {
      FilterAcrossGrey(across_, sums_.data(), across_sums_.data());
    }
    loops.store_bytes(across_sums_.data(),
                      static_cast<size_t>(out_.width) * out_.channels,
                      out_.Row(next_out_));
    ++next_out_;
  }
}

Pixels Resample(const Pixels& in, int width, int height) {
  RowResampler resampler(in.width, in.height, in.channels, width, height,
                         Filter::kLanczos3);
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

}  // namespace orvanta
