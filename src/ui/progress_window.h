// frmProgress: the small modeless window that a long task drives through
// its public operations. It shows the task and sub-task texts, an overall
// and a sub-task bar, a line of elapsed and remaining minutes and a Pause
// button, and it turns Escape and a confirmed close into the program's
// abort request. Every update call yields to the event loop and holds the
// task while it is paused.
#ifndef ORVANTA_UI_PROGRESS_WINDOW_H_
#define ORVANTA_UI_PROGRESS_WINDOW_H_

#include <QElapsedTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>

#include "common/prompter.h"
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

class FrmProgress : public QWidget {
 public:
  // `key_press_abort_process` is the program's abort request (0 or 2),
  // which this window writes.
  explicit FrmProgress(int* key_press_abort_process, QWidget* parent = nullptr);

  // Hides the window (the abort request back to 0 when asked), restores
  // the pointer and ends the task.
  void HideForm(bool reset_key_press_abort_process = true);
  // A new sub-task: its text and range; the sub-task bar starts empty.
  void InitializeSubtask(const std::string& current_sub_task, int32_t minimum,
                         int32_t maximum);
  // Prepares and shows the window for a task (see the class comment).
  void InitializeForm(const std::string& current_task, int32_t minimum,
                      int32_t maximum, bool show_time_stats = false,
                      bool show_subtask_progress = false,
                      bool show_pause_button = true, QWidget* owner = nullptr);
  // Centred horizontally, bottom edge 500 twips above the screen's bottom.
  void MoveToBottomCenter();
  bool TaskInProgress() const { return task_in_progress_; }
  void UpdateProgressBar(double new_value, bool reset_start_time = false);
  void SetStandardCaptionText(const ProgressTexts& texts = ProgressTexts());
  void UpdateSubtaskProgressBar(double new_value,
                                bool fractionally_increase_overall = true);
  void UpdateCurrentTask(const std::string& new_task);
  void UpdateCurrentSubTask(const std::string& new_sub_task);

  // The Pause button's click.
  void ClickPause();
  // Escape: the abort request, then the window moves out of the way.
  void PressEscape();

  const ProgressModel& model() const { return model_; }
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

  int* key_press_abort_process_;
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
