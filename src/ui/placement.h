// Window placement arithmetic in twips: where SizeAndCenterWindow puts a
// window for each of its placement modes, with the one-wide-screen and
// one-tall-screen treatment of two monitors, and the list of windows that
// have already been placed once. Pure C++, no toolkit.
#ifndef ORVANTA_UI_PLACEMENT_H_
#define ORVANTA_UI_PLACEMENT_H_

#include <string>
#include <string_view>
#include <vector>

namespace orvanta {

// 15 twips per pixel at 96 dots per inch.
inline constexpr int kTwipsPerPixel = 15;

// Twips to pixels, rounded to the nearest pixel (halves away from zero).
int TwipsToPixels(double twips);
// Pixels to twips.
int PixelsToTwips(int pixels);

// Placement modes of SizeAndCenterWindow; any other value centres.
enum PlacementMode : int {
  kUpperThird = 1,
  kLowerThird = 2,
  kLeftEdge = 3,
  kRightEdge = 4,
  kTopEdge = 5,
  kBottomCentre = 6,
  kBottomRight = 7,
  kBottomLeft = 8,
  kTopRight = 9,
  kTopLeft = 10,
};

// Monitor argument: the monitor the window is on now.
inline constexpr int kCurrentMonitor = -1;

struct PlacementInput {
  double screen_width = 0;   // whole desktop, twips
  double screen_height = 0;  // whole desktop, twips
  double window_left = 0;    // current outer left edge, twips
  double window_top = 0;     // current outer top edge, twips
  double window_width = 0;   // outer width after resizing, twips
  double window_height = 0;  // outer height after resizing, twips
  int mode = 0;
  int monitor = kCurrentMonitor;  // -1 current, 0 first, >= 1 second
};

struct PlacementResult {
  int left = 0;
  int top = 0;
  int monitors = 1;           // 2 when the desktop spans two monitors
  bool side_by_side = false;  // two monitors left and right
  bool stacked = false;       // two monitors one above the other
  bool on_second = false;     // the window was put on the second monitor
};

// Computes the new top-left corner of a window. Each difference is rounded
// to whole twips (half to even) and then divided by 2 or 3 with the
// fraction dropped; for the lower third the doubled difference is rounded
// before the division. Never fails; windows larger than the screen get
// negative coordinates.
PlacementResult ComputePlacement(const PlacementInput& input);

// Where the text report window puts its text box and Close button for an
// inner size (all in twips, rounded to whole twips): 120 margins on the
// left, top and right, the button centred 120 below the text box and 120
// above the bottom; the text box never below 1000 x 1000 and the button
// never closer than 120 to the left edge.
struct TextReportLayout {
  int text_left = 120;
  int text_top = 120;
  int text_width = 0;
  int text_height = 0;
  int button_left = 0;
  int button_top = 0;
};
TextReportLayout LayoutTextReport(double inner_width, double inner_height,
                                  double button_width, double button_height);

// The names of the windows placed so far in this program run, in the order
// first seen, at most kCapacity names.
class PlacedWindowList {
 public:
  static constexpr int kCapacity = 101;

  // Records `name` and returns true when it was already in the list. When
  // the list is full a new name is not recorded (that window is then
  // placed every time) and false is returned.
  bool CheckAndAdd(std::string_view name);
  bool Contains(std::string_view name) const;
  int size() const { return static_cast<int>(names_.size()); }

 private:
  std::vector<std::string> names_;
};

}  // namespace orvanta

#endif  // ORVANTA_UI_PLACEMENT_H_
