// The recording user interface of the tests.
#include "testing/recording_ui.h"

#include <gtest/gtest.h>

namespace orvanta::testing {

Answer RecordingUi::ShowMessage(const MessageBox& box) {
  messages.push_back(box);
  if (answers.empty()) return DefaultAnswer(box);
  Answer answer = answers.front();
  answers.pop_front();
  return answer;
}

void RecordingUi::InitializeForm(const std::string&, int32_t, int32_t maximum,
                                 bool, bool, bool) {
  ClearAbortRequest();
  progress_maximum_ = maximum;
  progress_value_ = 0;
}

void RecordingUi::InitializeSubtask(const std::string&, int32_t minimum,
                                    int32_t maximum) {
  unfinished_subtasks_ = UnfinishedSubtasks();
  subtask_value_ = minimum;
  subtask_maximum_ = maximum;
  subtask_moved_ = false;
}

void RecordingUi::UpdateProgressBar(double value, bool) {
  EXPECT_LE(value, progress_maximum_);
  EXPECT_GE(value, progress_value_) << "the overall bar went back";
  progress_value_ = value;
  if (on_progress) on_progress();
}

void RecordingUi::UpdateSubtaskProgressBar(double value, bool) {
  EXPECT_LE(value, subtask_maximum_);
  subtask_value_ = value;
  subtask_moved_ = true;
}

int RecordingUi::UnfinishedSubtasks() const {
  const bool part_way = subtask_moved_ && subtask_value_ < subtask_maximum_;
  return unfinished_subtasks_ + (part_way ? 1 : 0);
}

std::string RecordingUi::Transcript() const {
  std::string text;
  for (const MessageBox& box : messages)
    text += box.title + ": " + box.text + "\n";
  return text;
}

}  // namespace orvanta::testing
