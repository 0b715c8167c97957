// A Prompter for tests that records every message box and answers each
// with its preselected button.
#ifndef ORVANTA_TESTING_RECORDING_PROMPTER_H_
#define ORVANTA_TESTING_RECORDING_PROMPTER_H_

#include <vector>

#include "common/prompter.h"

namespace orvanta::testing {

class RecordingPrompter : public Prompter {
 public:
  Answer ShowMessage(const MessageBox& box) override {
    boxes.push_back(box);
    return DefaultAnswer(box);
  }
  std::vector<MessageBox> boxes;
};

}  // namespace orvanta::testing

#endif  // ORVANTA_TESTING_RECORDING_PROMPTER_H_
