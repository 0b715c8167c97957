// Window placement arithmetic: the placement-mode table and the two-monitor
// rules of SizeAndCenterWindow.
#include "ui/placement.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace orvanta {
namespace {

// Rounds to a whole number, halves to the even neighbour.
long long RoundEven(double value) {
  return static_cast<long long>(std::nearbyint(value));
}

// Rounds the difference and divides it with the fraction dropped.
long long Share(double difference, int divisor) {
  return RoundEven(difference) / divisor;
}

// The top-left corner for a placement mode on one screen of free_x by
// free_y twips.
std::pair<long long, long long> ModeCorner(int mode, double free_x,
                                           double free_y) {
  switch (mode) {
    case kUpperThird:
      return {Share(free_x, 2), Share(free_y, 3)};
    case kLowerThird:
      return {Share(free_x, 2), Share(2 * free_y, 3)};
    case kLeftEdge:
      return {0, Share(free_y, 2)};
    case kRightEdge:
      return {RoundEven(free_x), Share(free_y, 2)};
    case kTopEdge:
      return {Share(free_x, 2), 0};
    case kBottomCentre:
      return {Share(free_x, 2), RoundEven(free_y - 500)};
    case kBottomRight:
      return {RoundEven(free_x), RoundEven(free_y - 500)};
    case kBottomLeft:
      return {0, RoundEven(free_y - 500)};
    case kTopRight:
      return {RoundEven(free_x), 0};
    case kTopLeft:
      return {0, 0};
    default:
      return {Share(free_x, 2), Share(free_y, 2)};
  }
}

}  // namespace

int TwipsToPixels(double twips) {
  return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

int PixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }

PlacementResult ComputePlacement(const PlacementInput& input) {
  PlacementResult result;
  const double wd = input.screen_width;
  const double hd = input.screen_height;
  const double ratio = hd < 1 ? 1.333 : wd / hd;
  double w_screen = wd;
  double h_screen = hd;
  int monitor = input.monitor;
  if (ratio > 2) {
    result.monitors = 2;
    result.side_by_side = true;
    w_screen = wd / 2;
    if (monitor < 0 && input.window_left > w_screen) monitor = 1;
  } else if (ratio < 1) {
    result.monitors = 2;
    result.stacked = true;
    h_screen = hd / 2;
    if (monitor < 0 && input.window_top > h_screen) monitor = 1;
  }
  auto [x, y] = ModeCorner(input.mode, w_screen - input.window_width,
                           h_screen - input.window_height);
  if (result.monitors == 2 && monitor >= 1) {
    result.on_second = true;
    if (result.side_by_side) {
      x += RoundEven(w_screen);
    } else {
      y += RoundEven(h_screen);
    }
  }
  result.left = static_cast<int>(x);
  result.top = static_cast<int>(y);
  return result;
}

TextReportLayout LayoutTextReport(double inner_width, double inner_height,
                                  double button_width, double button_height) {
  TextReportLayout layout;
  layout.text_width = static_cast<int>(std::max<long long>(
      RoundEven(inner_width - layout.text_left - 120), 1000));
  layout.text_height = static_cast<int>(std::max<long long>(
      RoundEven(inner_height - layout.text_top - button_height - 240), 1000));
  layout.button_top = layout.text_top + layout.text_height + 120;
  layout.button_left = static_cast<int>(
      std::max<long long>(RoundEven(inner_width / 2 - button_width / 2), 120));
  return layout;
}

bool PlacedWindowList::CheckAndAdd(std::string_view name) {
  if (Contains(name)) return true;
  if (size() < kCapacity) names_.emplace_back(name);
  return false;
}

bool PlacedWindowList::Contains(std::string_view name) const {
  return std::find(names_.begin(), names_.end(), name) != names_.end();
}

}  // namespace orvanta
