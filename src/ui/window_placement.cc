// SizeAndCenterWindow and UnloadAllFormsExcept on Qt top-level widgets.
#include "ui/window_placement.h"

#include <QApplication>
#include <QScreen>
#include <QVariant>
#include <QWidget>
#include <algorithm>

namespace orvanta {
namespace {

// What the frame adds to the window's inner size, in pixels.
QSize FrameExtra(const QWidget* window) {
  return window->frameGeometry().size() - window->geometry().size();
}

}  // namespace

PlacedWindowList& PlacedWindows() {
  static PlacedWindowList list;
  return list;
}

QRect OuterRectTwips(const QWidget* window) {
  const QRect frame = window->frameGeometry();
  return QRect(PixelsToTwips(frame.x()), PixelsToTwips(frame.y()),
               PixelsToTwips(frame.width()), PixelsToTwips(frame.height()));
}

QSize ScreenSizeTwips(const QWidget* window) {
  QScreen* screen = window->screen();
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return QSize(0, 0);
  const QSize size = screen->virtualSize();
  return QSize(PixelsToTwips(size.width()), PixelsToTwips(size.height()));
}

void SetOuterSizeTwips(QWidget* window, int width, int height) {
  const QSize extra = FrameExtra(window);
  QSize inner = window->size();
  if (width > 0) inner.setWidth(TwipsToPixels(width) - extra.width());
  if (height > 0) inner.setHeight(TwipsToPixels(height) - extra.height());
  window->resize(inner);
}

void SizeAndCenterWindow(QWidget* window, int mode, int32_t width,
                         int32_t height, bool once_per_run, int monitor) {
  const bool placed =
      PlacedWindows().CheckAndAdd(window->objectName().toStdString());
  if (once_per_run && placed) return;
  window->setWindowState(window->windowState() &
                         ~(Qt::WindowMinimized | Qt::WindowMaximized));
  SetOuterSizeTwips(window, width, height);
  const QRect outer = OuterRectTwips(window);
  const QSize screen = ScreenSizeTwips(window);
  PlacementInput input;
  input.screen_width = screen.width();
  input.screen_height = screen.height();
  input.window_left = outer.x();
  input.window_top = outer.y();
  input.window_width = outer.width();
  input.window_height = outer.height();
  input.mode = mode;
  input.monitor = monitor;
  const PlacementResult result = ComputePlacement(input);
  window->move(TwipsToPixels(result.left), TwipsToPixels(result.top));
}

void KeepOnScreen(QWidget* window, const QWidget* reference) {
  QScreen* screen =
      reference != nullptr ? reference->screen() : window->screen();
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect room = screen->availableGeometry();
  const QRect frame = window->frameGeometry();
  // Before the window system has framed it, a title bar is still to come.
  const int title = frame.top() == window->geometry().top() ? 32 : 0;
  const int left =
      std::clamp(frame.left(), room.left(),
                 std::max(room.left(), room.right() + 1 - frame.width()));
  const int top = std::clamp(
      frame.top(), room.top() + title,
      std::max(room.top() + title, room.bottom() + 1 - frame.height()));
  if (left != frame.left() || top != frame.top()) window->move(left, top);
}

bool IsUnloading(const QWidget* window) {
  return window->property(kUnloadingProperty).toBool();
}

void UnloadForm(QWidget* window) {
  window->setProperty(kUnloadingProperty, true);
  window->close();
}

void UnloadAllFormsExcept(const QString& name) {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    const QString other = window->objectName();
    if (other.startsWith(QStringLiteral("frm")) && other != name) {
      UnloadForm(window);
    }
  }
}

}  // namespace orvanta
