// The recording user interface of the tests.
#include "testing/recording_ui.h"

namespace orvanta::testing {

Answer RecordingUi::ShowMessage(const MessageBox& box) {
  messages.push_back(box);
  if (answers.empty()) return DefaultAnswer(box);
  Answer answer = answers.front();
  answers.pop_front();
  return answer;
}

std::string RecordingUi::Transcript() const {
  std::string text;
  for (const MessageBox& box : messages)
    text += box.title + ": " + box.text + "\n";
  return text;
}

}  // namespace orvanta::testing
