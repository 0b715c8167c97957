// frmProgress: the small modeless window that a gallery run drives, and
// the run's whole user interface in the desktop program. It shows the task
// and sub-task texts, an overall and a sub-task bar, a line of elapsed and
// remaining minutes and a Pause button, and it turns Escape and a confirmed
// close into the run's abort request. Every update call yields to the
// event loop and holds the task while it is paused. The run's message
// boxes and its report show over the owner window, which also gets the
// busy pointer.
#ifndef ORVANTA_UI_PROGRESS_WINDOW_H_
#define ORVANTA_UI_PROGRESS_WINDOW_H_

#include <QElapsedTimer>
#include <QPoint>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "common/prompter.h"
#include "engine/user_interface.h"
#include "ui/progress_model.h"

class QLabel;
class QPushButton;

namespace orvanta {

// A plain rectangle: an outline, or a solid fill in the highlight colour.
class RectangleShape : public QWidget {
 public:
  RectangleShape(bool filled, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool filled_;
};

// The question before a running task is cancelled by closing a window.
MessageBox CancelTaskQuestion();

class FrmProgress : public QWidget, public UserInterface {
 public:
  explicit FrmProgress(QWidget* parent = nullptr);

  // The window the run's message boxes and report show over, and that
  // shows the busy pointer (none: the boxes stand alone). The progress
  // window becomes its window: shown above it, on its screen.
  void set_owner(QWidget* owner);
  // While the program closes, the run winds down unseen: no display, every
  // question answered as a closed box would be, the abort request set.
  void WindDown();

  // --- UserInterface.
  Answer ShowMessage(const MessageBox& box) override;
  // Prepares and shows the window for a task (see the class comment).
  void InitializeForm(const std::string& current_task, int32_t minimum,
                      int32_t maximum, bool show_time_stats,
                      bool show_subtask_progress,
                      bool show_pause_button) override;
  // A new sub-task: its text and range; the sub-task bar starts empty.
  void InitializeSubtask(const std::string& current_sub_task, int32_t minimum,
                         int32_t maximum) override;
  void UpdateProgressBar(double new_value, bool reset_start_time) override;
  void UpdateSubtaskProgressBar(double new_value,
                                bool fractionally_increase_overall) override;
  void UpdateCurrentTask(const std::string& new_task) override;
  void UpdateCurrentSubTask(const std::string& new_sub_task) override;
  // The file as the sub-task, its share done on the sub-task bar.
  void ShowFileProgress(const std::string& file, double done) override;
  // Hides the window (the abort request cleared when asked), restores the
  // pointer and ends the task.
  void HideForm(bool clear_abort) override;
  void ShowReport(const std::string& text) override;
  void SetBusy(bool busy) override;
  void KeepAlive() override;

  // Centred horizontally, bottom edge 500 twips above the screen's bottom.
  void MoveToBottomCenter();
  bool TaskInProgress() const { return task_in_progress_; }
  void SetStandardCaptionText(const ProgressTexts& texts = ProgressTexts());

  // The Pause button's click.
  void ClickPause();
  // Escape: the abort request, then the window moves out of the way.
  void PressEscape();

  // Replaces the clock (milliseconds) used for the time line.
  void SetClock(std::function<double()> clock) { clock_ = std::move(clock); }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls();
  // Draws the overall bar for *value (clamped in place); returns the
  // fraction.
  double UpdateOverallBar(double* value, bool do_not_store);
  void DrawFill(QWidget* fill, const QWidget* box, double fraction);
  void ShowButtonCaption();
  void WaitWhilePaused();
  static void Yield();
  double Now() const;
  static uint32_t TickCount();

  QWidget* owner_ = nullptr;
  bool winding_down_ = false;
  // Where the window stood when the last task hid it.
  std::optional<QPoint> place_;
  ProgressModel model_;
  bool task_in_progress_ = false;
  QElapsedTimer timer_;
  std::function<double()> clock_;

  RectangleShape* pbar_progress_box_ = nullptr;
  RectangleShape* pbar_progress_ = nullptr;
  QLabel* lbl_overall_progress_ = nullptr;
  RectangleShape* pbar_sub_progress_box_ = nullptr;
  RectangleShape* pbar_sub_progress_ = nullptr;
  QLabel* lbl_subtask_progress_ = nullptr;
  QLabel* lbl_current_task_ = nullptr;
  QLabel* lbl_current_sub_task_ = nullptr;
  QLabel* lbl_time_stats_ = nullptr;
  QWidget* fra_controls_ = nullptr;
  QPushButton* cmd_pause_ = nullptr;
  QLabel* lbl_press_escape_ = nullptr;
};

}  // namespace orvanta

#endif  // ORVANTA_UI_PROGRESS_WINDOW_H_
