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
  void InitializeForm(const std::string&, int32_t, int32_t, bool, bool,
                      bool) override {
    ClearAbortRequest();
  }
  void InitializeSubtask(const std::string&, int32_t, int32_t) override {}
  void UpdateProgressBar(double, bool) override {
    if (on_progress) on_progress();
  }
  void UpdateSubtaskProgressBar(double, bool) override {}
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

  std::deque<Answer> answers;  // for the next boxes, in order
  // Called whenever the overall progress bar moves (to press Escape, say).
  std::function<void()> on_progress;
  std::vector<MessageBox> messages;
  std::string report;  // the reports shown (the thumbnail error list)
  bool busy = false;
};

}  // namespace orvanta::testing

#endif  // ORVANTA_TESTING_RECORDING_UI_H_
