// frmProgress: controls, public operations, pause wait and close rule.
#include "ui/progress_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>
#include <QShortcut>
#include <QThread>
#include <algorithm>
#include <chrono>
#include <optional>

#include "ui/fit_text.h"
#include "ui/message_boxes.h"
#include "ui/placement.h"
#include "ui/show_text_window.h"
#include "ui/window_placement.h"

namespace orvanta {

MessageBox CancelTaskQuestion() {
  return {"Cancel Task",
          "It appears that a task is currently in progress.  Do you really "
          "want to close the progress window?  If yes, this will cancel the "
          "currently running task.",
          Buttons::kYesNo, Icon::kQuestion, 2};
}

FrmProgress::FrmProgress(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName(QStringLiteral("frmProgress"));
  setWindowTitle(QStringLiteral("Progress"));
  timer_.start();
  CreateControls();
  FitTextsToFont(this);
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  escape->setContext(Qt::WindowShortcut);
  connect(escape, &QShortcut::activated, this, [this] { PressEscape(); });
  connect(cmd_pause_, &QPushButton::clicked, this, [this] { ClickPause(); });
  // Load: size and place every time the window is loaded.
  SizeAndCenterWindow(this, kLowerThird, 7450, 2800, false, kCurrentMonitor);
  SetStandardCaptionText();
  task_in_progress_ = false;
}

void FrmProgress::WindDown() {
  winding_down_ = true;
  RequestAbort();
  unsetCursor();
  task_in_progress_ = false;
  hide();
}

Answer FrmProgress::ShowMessage(const MessageBox& box) {
  if (winding_down_) return ClosedAnswer(box);
  return ShowMessageBox(owner_, box);
}

void FrmProgress::ShowReport(const std::string& text) {
  if (!winding_down_) ShowTextReport(owner_, text);
}

void FrmProgress::SetBusy(bool busy) {
  if (owner_ == nullptr) return;
  if (busy) {
    owner_->setCursor(Qt::WaitCursor);
  } else {
    owner_->unsetCursor();
  }
}

void FrmProgress::KeepAlive() { Yield(); }

void FrmProgress::HideForm(bool clear_abort) {
  if (winding_down_) return;
  if (clear_abort) ClearAbortRequest();
  unsetCursor();
  task_in_progress_ = false;
  if (isVisible()) place_ = pos();
  hide();
}

void FrmProgress::InitializeSubtask(const std::string& current_sub_task,
                                    int32_t minimum, int32_t maximum) {
  if (winding_down_) return;
  model_.SetSubtaskRange(minimum, maximum);
  UpdateCurrentSubTask(current_sub_task);
  UpdateSubtaskProgressBar(model_.subtask().minimum, true);
  task_in_progress_ = true;
}

void FrmProgress::InitializeForm(const std::string& current_task,
                                 int32_t minimum, int32_t maximum,
                                 bool show_time_stats,
                                 bool show_subtask_progress,
                                 bool show_pause_button) {
  if (winding_down_) return;
  model_.SetOverallRange(minimum, maximum);
  model_.ResetSubtaskRange();
  DrawFill(pbar_sub_progress_, pbar_sub_progress_box_, 0);
  UpdateCurrentTask(current_task);
  lbl_current_sub_task_->setText(QString());
  lbl_time_stats_->setVisible(show_time_stats);
  pbar_sub_progress_->setVisible(show_subtask_progress);
  pbar_sub_progress_box_->setVisible(show_subtask_progress);
  lbl_subtask_progress_->setVisible(show_subtask_progress);
  if (show_subtask_progress) {
    lbl_time_stats_->move(lbl_time_stats_->x(), TwipsToPixels(1800));
    fra_controls_->move(TwipsToPixels(3840), TwipsToPixels(1650));
    SetOuterSizeTwips(this, 0, 2800);
  } else {
    lbl_time_stats_->move(lbl_time_stats_->x(), TwipsToPixels(800));
    fra_controls_->move(TwipsToPixels(240), TwipsToPixels(1190));
    SetOuterSizeTwips(this, 0, 2350);
  }
  cmd_pause_->setVisible(show_pause_button);
  model_.SetPauseState(PauseState::kResuming);
  WaitWhilePaused();
  UpdateProgressBar(model_.overall().minimum, true);
  if (winding_down_) return;  // the program began to close meanwhile
  ClearAbortRequest();
  model_.ClearCloseRequest();
  task_in_progress_ = true;
  show();
  // A window system may forget where a hidden window stood (an X window
  // manager maps it again at the screen's corner): the next task shows
  // where the last one left it.
  if (place_) move(*place_);
  // The frame is known once the window is shown: give the outer height
  // again so the frame does not eat into it.
  SetOuterSizeTwips(this, 0, show_subtask_progress ? 2800 : 2350);
  KeepOnScreen(this, owner_);
  raise();
  setCursor(Qt::WaitCursor);
}

void FrmProgress::set_owner(QWidget* owner) {
  owner_ = owner;
  // A window of the owner's: the system keeps it above the owner.
  if (owner != nullptr) setParent(owner, windowFlags());
}

void FrmProgress::MoveToBottomCenter() {
  SizeAndCenterWindow(this, kBottomCentre, -1, -1, false, kCurrentMonitor);
}

void FrmProgress::UpdateProgressBar(double new_value, bool reset_start_time) {
  if (winding_down_) return;
  if (reset_start_time) model_.ResetStartTime(Now());
  const double fraction = UpdateOverallBar(&new_value, false);
  const QString point = QLocale().decimalPoint();
  const char decimal_point = point.size() == 1 && point.at(0).unicode() < 128
                                 ? point.at(0).toLatin1()
                                 : '.';
  lbl_time_stats_->setText(
      QString::fromStdString(model_.TimeLine(Now(), fraction, decimal_point)));
  if (lbl_time_stats_->sizeHint().width() > lbl_time_stats_->width()) {
    FitTextToFont(lbl_time_stats_);
  }
  WaitWhilePaused();
  Yield();
}

void FrmProgress::SetStandardCaptionText(const ProgressTexts& texts) {
  model_.SetTexts(texts);
  lbl_press_escape_->setText(
      QString::fromStdString(texts.press_escape_to_abort));
}

void FrmProgress::UpdateSubtaskProgressBar(double new_value,
                                           bool fractionally_increase_overall) {
  if (winding_down_) return;
  std::optional<double> overall;
  const double fraction =
      model_.UpdateSubtask(new_value, fractionally_increase_overall, &overall);
  DrawFill(pbar_sub_progress_, pbar_sub_progress_box_, fraction);
  if (overall) DrawFill(pbar_progress_, pbar_progress_box_, *overall);
  WaitWhilePaused();
  Yield();
}

void FrmProgress::UpdateCurrentTask(const std::string& new_task) {
  if (winding_down_) return;
  // Each line shortened in the middle to fit, so that a long folder path
  // never wraps onto a line the label has no room for.
  const QFontMetrics metrics(lbl_current_task_->font());
  QStringList lines = QString::fromStdString(new_task).split(
      QRegularExpression(QStringLiteral("\\r?\\n")));
  for (QString& line : lines) {
    line =
        metrics.elidedText(line, Qt::ElideMiddle, lbl_current_task_->width());
  }
  lbl_current_task_->setText(lines.join(QLatin1Char('\n')));
  WaitWhilePaused();
  Yield();
}

void FrmProgress::UpdateCurrentSubTask(const std::string& new_sub_task) {
  if (winding_down_) return;
  lbl_current_sub_task_->setText(QString::fromStdString(new_sub_task));
  WaitWhilePaused();
  Yield();
}

void FrmProgress::ShowFileProgress(const std::string& file, double done) {
  if (winding_down_) return;
  const int percent = static_cast<int>(done * 100);
  lbl_current_sub_task_->setText(
      file.empty() ? QString()
                   : QStringLiteral("Making a web copy of the movie\n%1 (%2 %)")
                         .arg(QString::fromStdString(file))
                         .arg(percent));
  DrawFill(pbar_sub_progress_, pbar_sub_progress_box_, file.empty() ? 0 : done);
  WaitWhilePaused();
  Yield();
}

void FrmProgress::ClickPause() {
  if (model_.ClickPause()) {
    ShowButtonCaption();
    Yield();
  }
}

void FrmProgress::PressEscape() {
  RequestAbort();
  MoveToBottomCenter();
}

void FrmProgress::closeEvent(QCloseEvent* event) {
  if (IsUnloading(this) || !model_.ShouldAskBeforeClosing(TickCount())) {
    event->accept();
    return;
  }
  MoveToBottomCenter();
  const bool confirmed =
      ShowMessageBox(this, CancelTaskQuestion()) == Answer::kYes;
  if (confirmed) RequestAbort();
  model_.RecordCloseAnswer(confirmed, TickCount());
  event->ignore();
}

double FrmProgress::UpdateOverallBar(double* value, bool do_not_store) {
  const double fraction = model_.UpdateOverall(value, do_not_store);
  DrawFill(pbar_progress_, pbar_progress_box_, fraction);
  return fraction;
}

void FrmProgress::DrawFill(QWidget* fill, const QWidget* box, double fraction) {
  const float width = static_cast<float>(box->width() * fraction);
  fill->resize(static_cast<int>(width + 0.5f), fill->height());
}

void FrmProgress::ShowButtonCaption() {
  cmd_pause_->setText(QString::fromStdString(model_.button_caption()));
}

void FrmProgress::WaitWhilePaused() {
  const bool paused = model_.BeginWait();
  ShowButtonCaption();
  if (!paused) return;
  unsetCursor();
  while (model_.IsPaused() && !IsUnloading(this)) {
    QThread::msleep(100);
    Yield();
  }
  model_.EndWait();
  ShowButtonCaption();
  setCursor(Qt::WaitCursor);
}

void FrmProgress::Yield() { QCoreApplication::processEvents(); }

double FrmProgress::Now() const {
  return clock_ ? clock_() : static_cast<double>(timer_.elapsed());
}

uint32_t FrmProgress::TickCount() {
  using std::chrono::duration_cast;
  using std::chrono::milliseconds;
  using std::chrono::steady_clock;
  return static_cast<uint32_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch())
          .count());
}

}  // namespace orvanta
