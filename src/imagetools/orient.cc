// Turning pictures upright by their EXIF orientation.
#include <cstring>

#include "imagetools/resample.h"

namespace orvanta {
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
