// The option check box: value mapping, click cycle and wrapped caption.
#include "ui/check_box.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <algorithm>

namespace orvanta {

Qt::CheckState CheckStateOfValue(int value) {
  switch (value) {
    case 1:
      return Qt::Checked;
    case 2:
      return Qt::PartiallyChecked;
    default:
      return Qt::Unchecked;
  }
}

int ValueOfCheckState(Qt::CheckState state) {
  switch (state) {
    case Qt::Checked:
      return 1;
    case Qt::PartiallyChecked:
      return 2;
    case Qt::Unchecked:
    default:
      return 0;
  }
}

int CheckBoxValue(const QCheckBox* box) {
  return ValueOfCheckState(box->checkState());
}

void SetCheckBoxValue(QCheckBox* box, int value) {
  box->setCheckState(CheckStateOfValue(value));
}

OptionCheckBox::OptionCheckBox(const QString& text, QWidget* parent)
    : QCheckBox(text, parent) {}

int OptionCheckBox::heightForWidth(int width) const {
  QStyleOptionButton option;
  initStyleOption(&option);
  const int indicator =
      style()
          ->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this)
          .width() +
      style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, this);
  const QRect text = fontMetrics().boundingRect(
      QRect(0, 0, std::max(1, width - indicator), 10000),
      Qt::TextWordWrap | Qt::TextShowMnemonic, option.text);
  return std::max(text.height(), sizeHint().height());
}

void OptionCheckBox::nextCheckState() {
  // A click checks an unchecked or grey box and clears a checked one.
  setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

bool OptionCheckBox::hitButton(const QPoint& pos) const {
  return rect().contains(pos);
}

void OptionCheckBox::paintEvent(QPaintEvent* /*event*/) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  const QString caption = option.text;
  option.text.clear();
  // The indicator, centred vertically, then the caption wrapped beside it.
  QRect indicator =
      style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
  indicator.moveTop((height() - indicator.height()) / 2);
  QStyleOptionButton indicator_option = option;
  indicator_option.rect = indicator;
  painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, indicator_option);
  const int spacing =
      style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, this);
  QRect text_rect = rect();
  text_rect.setLeft(indicator.right() + 1 + spacing);
  painter.drawItemText(text_rect,
                       Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap |
                           Qt::TextShowMnemonic,
                       palette(), isEnabled(), caption, QPalette::WindowText);
  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = painter.boundingRect(
        text_rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
        QString(caption).remove(QLatin1Char('&')));
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
  }
}

}  // namespace orvanta
