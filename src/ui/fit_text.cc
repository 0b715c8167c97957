// Sizing controls from the font.
#include "ui/fit_text.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <algorithm>

namespace orvanta {
namespace {

constexpr int kGap = 4;          // pixels kept free before a neighbour
constexpr int kBelowBorder = 3;  // pixels between a frame's border and text

bool ShowsText(const QWidget* widget) {
  return qobject_cast<const QLabel*>(widget) != nullptr ||
         qobject_cast<const QAbstractButton*>(widget) != nullptr;
}

// The right edge `control` may grow to: the left edge of the nearest
// sibling to its right on its row, or its parent's inner edge.
int RoomToTheRight(const QWidget* control) {
  const QWidget* parent = control->parentWidget();
  int limit = parent->contentsRect().right() + 1;
  const QRect here = control->geometry();
  for (const QObject* object : parent->children()) {
    const auto* sibling = qobject_cast<const QWidget*>(object);
    if (sibling == nullptr || sibling == control || sibling->isWindow()) {
      continue;
    }
    const QRect there = sibling->geometry();
    if (there.left() > here.left() && there.top() < here.bottom() &&
        there.bottom() > here.top()) {
      limit = std::min(limit, there.left() - kGap);
    }
  }
  return limit;
}

}  // namespace

void FitTextToFont(QWidget* control) {
  // As wide as the text needs, or as designed where that is wider, but
  // never into a neighbour or over the edge (the design lets a few
  // controls reach into the next one).
  const int room = RoomToTheRight(control) - control->x();
  const int width =
      std::min(std::max(control->width(), control->sizeHint().width()), room);
  const int height =
      control->hasHeightForWidth()
          ? std::max(control->height(), control->heightForWidth(width))
          : std::max(control->height(), control->sizeHint().height());
  // A text grown taller than its frame allows moves up into the room
  // the design left above it.
  const QWidget* parent = control->parentWidget();
  const int bottom = parent->contentsRect().bottom() + 1;
  const int top = std::max(parent->contentsRect().top(),
                           std::min(control->y(), bottom - height));
  control->setGeometry(control->x(), top, width, height);
}

void FitTextsToFont(QWidget* window) {
  // The client area gets its size first: its edge is the limit.
  if (window->layout() != nullptr) window->layout()->activate();
  for (QGroupBox* frame : window->findChildren<QGroupBox*>()) {
    const int top = frame->contentsRect().top() + kBelowBorder;
    for (QObject* object : frame->children()) {
      auto* child = qobject_cast<QWidget*>(object);
      if (child != nullptr && child->y() < top) child->move(child->x(), top);
    }
  }
  for (QWidget* control : window->findChildren<QWidget*>()) {
    if (ShowsText(control)) FitTextToFont(control);
  }
}

}  // namespace orvanta
