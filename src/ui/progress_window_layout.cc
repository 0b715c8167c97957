// frmProgress's controls at their design positions (twips, 15 to the
// pixel) and the rectangles that draw its two bars.
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "ui/placement.h"
#include "ui/progress_window.h"

namespace orvanta {
namespace {

constexpr int kBarWidth = 2775;

void PlaceTwips(QWidget* widget, int left, int top, int width, int height) {
  widget->setGeometry(TwipsToPixels(left), TwipsToPixels(top),
                      TwipsToPixels(width), TwipsToPixels(height));
}

QLabel* MakeLabel(const char* name, const QString& text, QWidget* parent,
                  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QLatin1String(name));
  label->setAlignment(alignment);
  label->setWordWrap(true);
  return label;
}

}  // namespace

RectangleShape::RectangleShape(bool filled, QWidget* parent)
    : QWidget(parent), filled_(filled) {}

void RectangleShape::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  if (filled_) {
    painter.fillRect(rect(),
                     palette().color(QPalette::Active, QPalette::Highlight));
  } else {
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
}

void FrmProgress::CreateControls() {
  resize(TwipsToPixels(7350), TwipsToPixels(2385));
  pbar_progress_box_ = new RectangleShape(false, this);
  pbar_progress_box_->setObjectName(QStringLiteral("pbarProgressBox"));
  PlaceTwips(pbar_progress_box_, 120, 120, kBarWidth, 255);
  pbar_progress_ = new RectangleShape(true, this);
  pbar_progress_->setObjectName(QStringLiteral("pbarProgress"));
  PlaceTwips(pbar_progress_, 120, 120, 0, 255);
  lbl_overall_progress_ =
      MakeLabel("lblOverallProgress", QStringLiteral("Overall Progress"), this,
                Qt::AlignHCenter | Qt::AlignTop);
  PlaceTwips(lbl_overall_progress_, 120, 510, 2655, 255);
  pbar_sub_progress_box_ = new RectangleShape(false, this);
  pbar_sub_progress_box_->setObjectName(QStringLiteral("pbarSubProgressBox"));
  PlaceTwips(pbar_sub_progress_box_, 120, 960, kBarWidth, 255);
  pbar_sub_progress_ = new RectangleShape(true, this);
  pbar_sub_progress_->setObjectName(QStringLiteral("pbarSubProgress"));
  PlaceTwips(pbar_sub_progress_, 120, 960, 0, 255);
  lbl_subtask_progress_ =
      MakeLabel("lblSubtaskProgress", QStringLiteral("Current Task Progress"),
                this, Qt::AlignHCenter | Qt::AlignTop);
  PlaceTwips(lbl_subtask_progress_, 120, 1350, 2655, 255);
  lbl_current_task_ =
      MakeLabel("lblCurrentTask", QStringLiteral("Current task"), this);
  PlaceTwips(lbl_current_task_, 3120, 120, 4095, 495);
  lbl_current_sub_task_ = MakeLabel("lblCurrentSubTask", QString(), this);
  PlaceTwips(lbl_current_sub_task_, 3120, 720, 4095, 735);
  lbl_time_stats_ =
      MakeLabel("lblTimeStats", QStringLiteral("Elapsed/remaining time"), this);
  lbl_time_stats_->setWordWrap(false);
  PlaceTwips(lbl_time_stats_, 240, 1800, 3015, 255);
  fra_controls_ = new QWidget(this);
  fra_controls_->setObjectName(QStringLiteral("fraControls"));
  PlaceTwips(fra_controls_, 3840, 1560, 2415, 735);
  cmd_pause_ = new QPushButton(QStringLiteral("Click to Pause"), fra_controls_);
  cmd_pause_->setObjectName(QStringLiteral("cmdPause"));
  PlaceTwips(cmd_pause_, 360, 0, 1815, 375);
  lbl_press_escape_ =
      MakeLabel("lblPressEscape", QStringLiteral("(Press Escape to abort)"),
                fra_controls_, Qt::AlignHCenter | Qt::AlignTop);
  lbl_press_escape_->setWordWrap(false);
  PlaceTwips(lbl_press_escape_, 0, 480, 2655, 255);
}

}  // namespace orvanta
