// Where the program's windows go: the placement modes it uses on one
// screen, and on two monitors side by side or stacked, as one table.
#include "ui/placement.h"

#include <gtest/gtest.h>

namespace orvanta {
namespace {

TEST(PlacementTest, ModesAndMonitors) {
  // A 1024 x 768 screen is 15360 x 11520 twips; the window 8800 x 6700
  // leaves 6560 x 4820 free.
  const int fx = 6560, fy = 4820;
  const struct {
    double screen_width, screen_height, window_left, window_top;
    int mode, monitor, left, top;
  } cases[] = {
      {15360, 11520, 0, 0, 1, -1, fx / 2, fy / 3},
      {15360, 11520, 0, 0, 2, -1, fx / 2, 2 * fy / 3},
      {15360, 11520, 0, 0, 6, -1, fx / 2, fy - 500},
      {15360, 11520, 0, 0, 0, -1, fx / 2, fy / 2},
      {15359.5, 11520, 0, 0, 0, -1, 3280, fy / 2},    // 6559.5 -> 6560
      {30720, 11520, 100, 0, 1, -1, fx / 2, fy / 3},  // side by side
      {30720, 11520, 15361, 0, 1, -1, fx / 2 + 15360, fy / 3},
      {30720, 11520, 100, 0, 1, 1, fx / 2 + 15360, fy / 3},
      {30720, 11520, 15860, 0, 1, 0, fx / 2, fy / 3},
      {15360, 23040, 0, 11535, 2, -1, fx / 2, 2 * fy / 3 + 11520},  // stacked
      {23040, 11520, 20000, 0, 1, -1, (23040 - 8800) / 2, fy / 3},  // ratio 2
      {15360, 0, 0, 0, 0, -1, fx / 2, -3350},
  };
  for (const auto& c : cases) {
    PlacementInput in;
    in.screen_width = c.screen_width;
    in.screen_height = c.screen_height;
    in.window_left = c.window_left;
    in.window_top = c.window_top;
    in.window_width = 8800;
    in.window_height = 6700;
    in.mode = c.mode;
    in.monitor = c.monitor;
    const PlacementResult r = ComputePlacement(in);
    EXPECT_EQ(r.left, c.left) << c.screen_width << " mode " << c.mode;
    EXPECT_EQ(r.top, c.top) << c.screen_width << " mode " << c.mode;
  }
}

}  // namespace
}  // namespace orvanta
