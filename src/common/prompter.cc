// The preselected answer of a message box, and the answer of one closed
// without a button.
#include "common/prompter.h"

namespace orvanta {

Answer DefaultAnswer(const MessageBox& box) {
  switch (box.buttons) {
    case Buttons::kOk:
      return Answer::kOk;
    case Buttons::kYesNo:
      return box.default_button == 2 ? Answer::kNo : Answer::kYes;
    case Buttons::kYesNoCancel:
      if (box.default_button == 2) return Answer::kNo;
      if (box.default_button == 3) return Answer::kCancel;
      return Answer::kYes;
  }
  return Answer::kOk;
}

Answer ClosedAnswer(const MessageBox& box) {
  switch (box.buttons) {
    case Buttons::kYesNoCancel:
      return Answer::kCancel;
    case Buttons::kYesNo:
      return Answer::kNo;
    default:
      return Answer::kOk;
  }
}

}  // namespace orvanta
