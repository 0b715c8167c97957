// Placing and closing the program's windows: SizeAndCenterWindow gives a
// window its outer size in twips and puts it at one of the fixed places of
// the screen; UnloadAllFormsExcept closes every other window of the
// program when the main window closes.
#ifndef ORVANTA_UI_WINDOW_PLACEMENT_H_
#define ORVANTA_UI_WINDOW_PLACEMENT_H_

#include <QRect>
#include <QString>
#include <cstdint>

#include "ui/placement.h"

class QWidget;

namespace orvanta {

// The windows placed so far in this program run (by object name).
PlacedWindowList& PlacedWindows();

// The window's outer rectangle (frame included, when the window system has
// reported the frame) in twips.
QRect OuterRectTwips(const QWidget* window);
// The whole desktop's size in twips (two monitors side by side or stacked
// count as one wide or tall screen).
QSize ScreenSizeTwips(const QWidget* window);
// Gives the window an outer width and/or height in twips; a value of 0 or
// less leaves that dimension as it is.
void SetOuterSizeTwips(QWidget* window, int width, int height);

// Sizes and places `window` (see the placement modes in placement.h).
// With `once_per_run` a window already placed in this program run (same
// object name) is left where it is. Width and height are outer sizes in
// twips, applied when greater than 0. Never fails.
void SizeAndCenterWindow(QWidget* window, int mode, int32_t width,
                         int32_t height, bool once_per_run, int monitor);

// The property a window's close handler reads to tell the program's own
// closing (true) from a close requested by the person.
inline constexpr char kUnloadingProperty[] = "orvantaUnloading";
// True while the program itself closes `window`.
// Moves `window` where all of it, frame and title bar too, lies on the
// screen that `reference` is on (the primary screen without a reference).
void KeepOnScreen(QWidget* window, const QWidget* reference);

bool IsUnloading(const QWidget* window);
// Closes `window` as the program, not as the person: its close handler
// lets it go.
void UnloadForm(QWidget* window);

// Closes every window of the program (object name starting with "frm")
// whose object name differs from `name`.
void UnloadAllFormsExcept(const QString& name);

}  // namespace orvanta

#endif  // ORVANTA_UI_WINDOW_PLACEMENT_H_
