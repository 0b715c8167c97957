// Where windows are put, without a window: each placement mode on one
// screen, the second of two monitors side by side or stacked, and the list
// of windows placed once.
#include "ui/placement.h"

#include <gtest/gtest.h>

namespace orvanta {
namespace {

TEST(PlacementTest, ModesAndMonitors) {
  // A 1280 x 960 screen (19200 x 14400 twips) and a 7450 x 2800 window:
  // 11750 x 11600 twips free.
  const struct {
    int mode;
    int left, top;
  } modes[] = {{kUpperThird, 5875, 3866},
               {kLowerThird, 5875, 7733},
               {kLeftEdge, 0, 5800},
               {kRightEdge, 11750, 5800},
               {kTopEdge, 5875, 0},
               {kBottomCentre, 5875, 11100},
               {kBottomRight, 11750, 11100},
               {kBottomLeft, 0, 11100},
               {kTopRight, 11750, 0},
               {kTopLeft, 0, 0},
               {0, 5875, 5800}};
  for (const auto& m : modes) {
    PlacementInput input{19200, 14400, 0, 0, 7450, 2800, m.mode};
    const PlacementResult result = ComputePlacement(input);
    EXPECT_EQ(result.left, m.left) << m.mode;
    EXPECT_EQ(result.top, m.top) << m.mode;
    EXPECT_EQ(result.monitors, 1);
  }
  // Two screens side by side: a window now on the right one stays there.
  PlacementInput wide{38400, 14400, 25000, 0, 7450, 2800, 0};
  PlacementResult result = ComputePlacement(wide);
  EXPECT_TRUE(result.side_by_side && result.on_second);
  EXPECT_EQ(result.left, 19200 + 5875);
  wide.monitor = 0;  // asked for the first
  EXPECT_EQ(ComputePlacement(wide).left, 5875);
  // Stacked: the lower one.
  PlacementInput tall{19200, 28800, 0, 20000, 7450, 2800, 0};
  result = ComputePlacement(tall);
  EXPECT_TRUE(result.stacked && result.on_second);
  EXPECT_EQ(result.top, 14400 + 5800);
}

TEST(PlacementTest, WindowsArePlacedOnce) {
  PlacedWindowList placed;
  EXPECT_FALSE(placed.CheckAndAdd("frmOrvanta"));
  EXPECT_TRUE(placed.CheckAndAdd("frmOrvanta"));
  for (int i = 1; i < PlacedWindowList::kCapacity; ++i) {
    placed.CheckAndAdd("window" + std::to_string(i));
  }
  EXPECT_FALSE(placed.CheckAndAdd("one too many"));
  EXPECT_FALSE(placed.CheckAndAdd("one too many"));  // never recorded
}

}  // namespace
}  // namespace orvanta
