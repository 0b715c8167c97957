// The user interface of the tests: records every message box and answers
// it from a queue (then with the preselected button), and lets a test act
// when the progress bar moves.
#ifndef ORVANTA_TESTING_RECORDING_UI_H_
#define ORVANTA_TESTING_RECORDING_UI_H_

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "engine/user_interface.h"

namespace orvanta::testing {

class RecordingUi : public UserInterface {
 public:
  Answer ShowMessage(const MessageBox& box) override;
  // The bars: a value past its maximum, or an overall one below the last,
  // fails the test.
  void InitializeForm(const std::string&, int32_t, int32_t maximum, bool, bool,
                      bool) override;
  void InitializeSubtask(const std::string&, int32_t minimum,
                         int32_t maximum) override;
  void UpdateProgressBar(double value, bool) override;
  void UpdateSubtaskProgressBar(double value, bool) override;
  void UpdateCurrentTask(const std::string&) override {}
  void UpdateCurrentSubTask(const std::string&) override {}
  void ShowFileProgress(const std::string&, double) override {}
  void HideForm(bool clear_abort) override {
    if (clear_abort) ClearAbortRequest();
  }
  void ShowReport(const std::string& text) override { report += text; }
  void SetBusy(bool on) override { busy = on; }

  // Every box shown so far as "TITLE: TEXT\n".
  std::string Transcript() const;
  // How many subtask bars were left part way (a completed run leaves none).
  int UnfinishedSubtasks() const;

  std::deque<Answer> answers;  // for the next boxes, in order
  // Whether the overall bar stands at its maximum.
  bool ProgressFull() const { return progress_value_ == progress_maximum_; }
  // Called whenever the overall progress bar moves (to press Escape, say).
  std::function<void()> on_progress;
  std::vector<MessageBox> messages;
  std::string report;  // the reports shown (the thumbnail error list)
  bool busy = false;

 private:
  double progress_maximum_ = 0, progress_value_ = 0;
  double subtask_value_ = 0, subtask_maximum_ = 0;
  bool subtask_moved_ = false;
  int unfinished_subtasks_ = 0;
};

}  // namespace orvanta::testing

#endif  // ORVANTA_TESTING_RECORDING_UI_H_
