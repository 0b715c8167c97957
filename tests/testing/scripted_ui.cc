// The scripted user interface for tests.
#include "testing/scripted_ui.h"

namespace orvanta::testing {

Answer ScriptedUi::ShowMessage(const MessageBox& box) {
  messages.push_back(box);
  if (answers.empty()) return DefaultAnswer(box);
  Answer answer = answers.front();
  answers.pop_front();
  return answer;
}

void ScriptedUi::Record(std::string event) {
  progress.push_back(event);
  if (on_progress) on_progress(event);
}

void ScriptedUi::InitializeForm(const std::string& task, int32_t minimum,
                                int32_t maximum, bool, bool, bool) {
  abort_ = 0;
  Record("InitializeForm:" + task + ":" + std::to_string(minimum) + ":" +
         std::to_string(maximum));
}

void ScriptedUi::InitializeSubtask(const std::string& subtask, int32_t minimum,
                                   int32_t maximum) {
  Record("InitializeSubtask:" + subtask + ":" + std::to_string(minimum) + ":" +
         std::to_string(maximum));
}

void ScriptedUi::UpdateProgressBar(double value, bool) {
  Record("UpdateProgressBar:" + std::to_string(static_cast<long>(value)));
}

void ScriptedUi::UpdateSubtaskProgressBar(double value, bool) {
  Record("UpdateSubtaskProgressBar:" +
         std::to_string(static_cast<long>(value)));
}

void ScriptedUi::UpdateCurrentTask(const std::string& task) {
  Record("UpdateCurrentTask:" + task);
}

void ScriptedUi::UpdateCurrentSubTask(const std::string& subtask) {
  Record("UpdateCurrentSubTask:" + subtask);
}

void ScriptedUi::HideForm(bool reset_abort) {
  if (reset_abort) abort_ = 0;
  Record("HideForm");
}

void ScriptedUi::ShowReport(const std::string& text) {
  reports.push_back(text);
}

std::vector<std::string> ScriptedUi::MessageTexts() const {
  std::vector<std::string> texts;
  for (const MessageBox& box : messages) texts.push_back(box.text);
  return texts;
}

int ScriptedUi::CountProgress(const std::string& prefix) const {
  int count = 0;
  for (const std::string& event : progress) {
    if (event.compare(0, prefix.size(), prefix) == 0) ++count;
  }
  return count;
}

}  // namespace orvanta::testing
