// The user interface of the tests: records every message box and answers
// it from a queue (then with the preselected button), lets a test act when
// the progress bar moves, and holds the option controls the engine reads.
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
    abort = 0;
  }
  void InitializeSubtask(const std::string&, int32_t, int32_t) override {}
  void UpdateProgressBar(double, bool) override {
    if (on_progress) on_progress();
  }
  void UpdateSubtaskProgressBar(double, bool) override {}
  void UpdateCurrentTask(const std::string&) override {}
  void UpdateCurrentSubTask(const std::string&) override {}
  void HideForm(bool reset_abort) override {
    if (reset_abort) abort = 0;
  }
  void ShowReport(const std::string& text) override { report += text; }
  void SetBusy(bool on) override { busy = on; }
  int KeyPressAbortProcess() override { return abort; }
  void SetKeyPressAbortProcess(int value) override { abort = value; }
  OptionControls ReadControls() override { return controls; }
  void SetIndexTemplateFile(const std::string& name) override {
    controls.index_template_file = name;
  }
  void SetPictureTemplateFile(const std::string& name) override {
    controls.picture_template_file = name;
  }

  // Every box shown so far as "TITLE: TEXT\n".
  std::string Transcript() const;

  std::deque<Answer> answers;  // for the next boxes, in order
  // Called whenever the overall progress bar moves (to press Escape, say).
  std::function<void()> on_progress;
  OptionControls controls;
  std::vector<MessageBox> messages;
  std::string report;  // the reports shown (the thumbnail error list)
  bool busy = false;
  int abort = 0;
};

}  // namespace orvanta::testing

#endif  // ORVANTA_TESTING_RECORDING_UI_H_
