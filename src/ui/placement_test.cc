// Tests of the placement arithmetic: the mode table, the rounding rule, the
// two-monitor rules and the placed-window list.
#include "ui/placement.h"

#include <gtest/gtest.h>

#include <string>

namespace orvanta {
namespace {

// A 1024 x 768 screen in twips.
constexpr double kScreenW = 1024 * 15;
constexpr double kScreenH = 768 * 15;

PlacementInput Window(double w, double h, int mode) {
  PlacementInput in;
  in.screen_width = kScreenW;
  in.screen_height = kScreenH;
  in.window_width = w;
  in.window_height = h;
  in.mode = mode;
  return in;
}

TEST(PlacementTest, ProgressWindowInLowerThird) {
  PlacementResult r = ComputePlacement(Window(7450, 2800, kLowerThird));
  EXPECT_EQ(r.left, 3955);
  EXPECT_EQ(r.top, 5813);  // 2 * 8720 = 17440, / 3 = 5813.33
  EXPECT_EQ(r.monitors, 1);
}

TEST(PlacementTest, ProgressWindowAtBottomCentre) {
  PlacementResult r = ComputePlacement(Window(7450, 2800, kBottomCentre));
  EXPECT_EQ(r.left, 3955);
  EXPECT_EQ(r.top, 8220);
}

TEST(PlacementTest, EveryModeOfTheTable) {
  const double w = 8800, h = 6700;
  const int fx = 15360 - 8800;  // 6560
  const int fy = 11520 - 6700;  // 4820
  struct Case {
    int mode, x, y;
  } cases[] = {
      {1, fx / 2, fy / 3},  {2, fx / 2, 2 * fy / 3}, {3, 0, fy / 2},
      {4, fx, fy / 2},      {5, fx / 2, 0},          {6, fx / 2, fy - 500},
      {7, fx, fy - 500},    {8, 0, fy - 500},        {9, fx, 0},
      {10, 0, 0},           {0, fx / 2, fy / 2},     {11, fx / 2, fy / 2},
      {-3, fx / 2, fy / 2},
  };
  for (const Case& c : cases) {
    PlacementResult r = ComputePlacement(Window(w, h, c.mode));
    EXPECT_EQ(r.left, c.x) << "mode " << c.mode;
    EXPECT_EQ(r.top, c.y) << "mode " << c.mode;
  }
  EXPECT_EQ(ComputePlacement(Window(w, h, 1)).top, 1606);  // 4820 / 3
}

TEST(PlacementTest, RoundsHalfToEvenBeforeDividing) {
  // 15360 - 7000.5 = 8359.5 rounds to 8360 (even), / 2 = 4180.
  EXPECT_EQ(ComputePlacement(Window(7000.5, 1000, 1)).left, 4180);
  // 15360 - 7001.5 = 8358.5 rounds to 8358 (even), / 2 = 4179.
  EXPECT_EQ(ComputePlacement(Window(7001.5, 1000, 1)).left, 4179);
  // Lower third: 2 * (11520 - 2800.25) = 17439.5 -> 17440, / 3 = 5813.
  EXPECT_EQ(ComputePlacement(Window(7450, 2800.25, 2)).top, 5813);
  // The division drops the fraction: 11520 - 2801 = 8719, / 2 = 4359.
  EXPECT_EQ(ComputePlacement(Window(7450, 2801, 0)).top, 4359);
}

TEST(PlacementTest, LargerThanTheScreenIsNotClamped) {
  PlacementResult r = ComputePlacement(Window(20000, 13000, 0));
  EXPECT_EQ(r.left, -2320);  // (15360 - 20000) / 2
  EXPECT_EQ(r.top, -740);    // (11520 - 13000) / 2
  EXPECT_EQ(ComputePlacement(Window(20000, 13000, 1)).top, -493);
}

TEST(PlacementTest, TwoMonitorsSideBySide) {
  PlacementInput in = Window(7450, 2800, kUpperThird);
  in.screen_width = 2 * kScreenW;  // ratio 2.67
  in.window_left = 100;
  PlacementResult left = ComputePlacement(in);
  EXPECT_EQ(left.monitors, 2);
  EXPECT_TRUE(left.side_by_side);
  EXPECT_EQ(left.left, 3955);
  EXPECT_EQ(left.top, 2906);  // 8720 / 3

  in.window_left = kScreenW + 1;  // already on the right half
  PlacementResult right = ComputePlacement(in);
  EXPECT_TRUE(right.on_second);
  EXPECT_EQ(right.left, 3955 + 15360);
  EXPECT_EQ(right.top, 2906);

  in.window_left = kScreenW;  // exactly on the border: left half
  EXPECT_EQ(ComputePlacement(in).left, 3955);

  in.window_left = 100;
  in.monitor = 1;  // asked for the second monitor
  EXPECT_EQ(ComputePlacement(in).left, 3955 + 15360);
  in.window_left = kScreenW + 500;
  in.monitor = 0;  // asked for the first monitor
  EXPECT_EQ(ComputePlacement(in).left, 3955);
}

TEST(PlacementTest, TwoMonitorsStacked) {
  PlacementInput in = Window(7450, 2800, kLowerThird);
  in.screen_height = 2 * kScreenH;  // ratio 0.67
  in.window_top = 0;
  PlacementResult top = ComputePlacement(in);
  EXPECT_TRUE(top.stacked);
  EXPECT_EQ(top.left, 3955);
  EXPECT_EQ(top.top, 5813);
  in.window_top = kScreenH + 15;
  PlacementResult bottom = ComputePlacement(in);
  EXPECT_TRUE(bottom.on_second);
  EXPECT_EQ(bottom.left, 3955);
  EXPECT_EQ(bottom.top, 5813 + 11520);
}

TEST(PlacementTest, RatioOfExactlyTwoIsOneMonitor) {
  PlacementInput in = Window(7450, 2800, kUpperThird);
  in.screen_width = 2 * kScreenH;  // 23040 x 11520, ratio 2
  in.window_left = 20000;
  PlacementResult r = ComputePlacement(in);
  EXPECT_EQ(r.monitors, 1);
  EXPECT_EQ(r.left, (23040 - 7450) / 2);
  in.screen_width = kScreenH;  // ratio 1: one monitor as well
  EXPECT_EQ(ComputePlacement(in).monitors, 1);
}

TEST(PlacementTest, ZeroHeightScreenCountsAsOneMonitor) {
  PlacementInput in = Window(100, 100, 0);
  in.screen_height = 0;  // ratio taken as 1.333
  PlacementResult r = ComputePlacement(in);
  EXPECT_EQ(r.monitors, 1);
  EXPECT_EQ(r.left, (15360 - 100) / 2);
  EXPECT_EQ(r.top, -50);
}

TEST(PlacementTest, TwipConversions) {
  EXPECT_EQ(TwipsToPixels(8800), 587);  // 586.67
  EXPECT_EQ(TwipsToPixels(7200), 480);
  EXPECT_EQ(TwipsToPixels(120), 8);
  EXPECT_EQ(TwipsToPixels(-500), -33);
  EXPECT_EQ(PixelsToTwips(480), 7200);
}

TEST(TextReportLayoutTest, FillsTheWindowWithMargins) {
  // The design client area, 9495 x 7230, with the 1695 x 375 button.
  TextReportLayout l = LayoutTextReport(9495, 7230, 1695, 375);
  EXPECT_EQ(l.text_left, 120);
  EXPECT_EQ(l.text_top, 120);
  EXPECT_EQ(l.text_width, 9255);
  EXPECT_EQ(l.text_height, 6495);
  EXPECT_EQ(l.button_top, 6735);
  EXPECT_EQ(l.button_left, 3900);  // 4747.5 - 847.5
  EXPECT_EQ(l.button_top + 375 + 120, 7230);
}

TEST(TextReportLayoutTest, SmallWindowsKeepTheMinimums) {
  TextReportLayout l = LayoutTextReport(1100, 900, 1695, 375);
  EXPECT_EQ(l.text_width, 1000);
  EXPECT_EQ(l.text_height, 1000);
  EXPECT_EQ(l.button_left, 120);
  EXPECT_EQ(l.button_top, 1240);
  // Odd sizes round half to even: 4000.5 / 2 - 847.5 = 1152.75 -> 1153.
  EXPECT_EQ(LayoutTextReport(4000.5, 3000, 1695, 375).button_left, 1153);
  EXPECT_EQ(LayoutTextReport(2500.5, 3000, 1695, 375).text_width, 2260);
}

TEST(PlacedWindowListTest, RemembersNamesExactly) {
  PlacedWindowList list;
  EXPECT_FALSE(list.CheckAndAdd("frmOrvanta"));
  EXPECT_TRUE(list.CheckAndAdd("frmOrvanta"));
  EXPECT_FALSE(list.CheckAndAdd("FRMORVANTA"));  // case-sensitive
  EXPECT_EQ(list.size(), 2);
}

TEST(PlacedWindowListTest, StopsRecordingWhenFull) {
  PlacedWindowList list;
  for (int i = 0; i < PlacedWindowList::kCapacity; ++i) {
    EXPECT_FALSE(list.CheckAndAdd("w" + std::to_string(i)));
  }
  EXPECT_FALSE(list.CheckAndAdd("extra"));
  EXPECT_FALSE(list.CheckAndAdd("extra"));  // never remembered
  EXPECT_TRUE(list.CheckAndAdd("w0"));
  EXPECT_EQ(list.size(), PlacedWindowList::kCapacity);
}

}  // namespace
}  // namespace orvanta
