// A user interface for tests: answers message boxes from a script (or with
// their preselected button), records every box, progress call and report,
// and holds the option controls the engine reads.
#ifndef ORVANTA_TESTING_SCRIPTED_UI_H_
#define ORVANTA_TESTING_SCRIPTED_UI_H_

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "engine/user_interface.h"

namespace orvanta::testing {

class ScriptedUi : public UserInterface {
 public:
  Answer ShowMessage(const MessageBox& box) override;
  void InitializeForm(const std::string& task, int32_t minimum, int32_t maximum,
                      bool show_time_stats, bool show_subtask,
                      bool show_pause_button) override;
  void InitializeSubtask(const std::string& subtask, int32_t minimum,
                         int32_t maximum) override;
  void UpdateProgressBar(double value, bool reset_start_time) override;
  void UpdateSubtaskProgressBar(double value,
                                bool fractionally_increase_overall) override;
  void UpdateCurrentTask(const std::string& task) override;
  void UpdateCurrentSubTask(const std::string& subtask) override;
  void HideForm(bool reset_abort) override;
  void ShowReport(const std::string& text) override;
  void SetBusy(bool busy) override { busy_ = busy; }
  int KeyPressAbortProcess() override { return abort_; }
  void SetKeyPressAbortProcess(int value) override { abort_ = value; }
  OptionControls ReadControls() override { return controls; }
  void SetIndexTemplateFile(const std::string& name) override {
    controls.index_template_file = name;
  }
  void SetPictureTemplateFile(const std::string& name) override {
    controls.picture_template_file = name;
  }

  // Answers given to the next boxes, in order; once used up, each box gets
  // its preselected answer.
  std::deque<Answer> answers;
  // Called with every progress event (after it is recorded), e.g. to
  // press Escape at a given moment.
  std::function<void(const std::string& event)> on_progress;

  OptionControls controls;
  std::vector<MessageBox> messages;
  std::vector<std::string> progress;  // "UpdateCurrentTask:..." etc.
  std::vector<std::string> reports;
  bool busy() const { return busy_; }

  // The texts of all boxes shown so far, and of the last one.
  std::vector<std::string> MessageTexts() const;
  const MessageBox& LastMessage() const { return messages.back(); }
  // Counts progress events that start with `prefix`.
  int CountProgress(const std::string& prefix) const;

 private:
  void Record(std::string event);

  int abort_ = 0;
  bool busy_ = false;
};

}  // namespace orvanta::testing

#endif  // ORVANTA_TESTING_SCRIPTED_UI_H_
