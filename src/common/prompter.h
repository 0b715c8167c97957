// Message boxes: the way every part of the program asks or tells the person
// something. The desktop window, the command line and the tests each answer.
#ifndef ORVANTA_COMMON_PROMPTER_H_
#define ORVANTA_COMMON_PROMPTER_H_

#include <string>

namespace orvanta {

enum class Buttons { kOk, kYesNo, kYesNoCancel };
enum class Icon { kNone, kInformation, kWarning, kQuestion };
enum class Answer { kOk, kYes, kNo, kCancel };

// The application title, used as the caption of some messages.
inline constexpr char kAppTitle[] = "Orvanta";

struct MessageBox {
  std::string title;
  std::string text;  // lines separated by "\r\n"
  Buttons buttons = Buttons::kOk;
  Icon icon = Icon::kNone;
  int default_button = 1;  // 1-based position of the preselected button
  bool summary = false;    // the closing summary of a run
  // A gallery's root page that the box offers to open in a browser (the
  // summary of a run that made one); "" for none.
  std::string open_page = {};
};

// The answer a box gives when the person just accepts it.
Answer DefaultAnswer(const MessageBox& box);
// The answer of a box closed without a button: Cancel, No or OK, the first
// that the box has.
Answer ClosedAnswer(const MessageBox& box);

class Prompter {
 public:
  virtual ~Prompter() = default;
  // Shows the box and returns the button chosen. Never fails.
  virtual Answer ShowMessage(const MessageBox& box) = 0;
};

}  // namespace orvanta

#endif  // ORVANTA_COMMON_PROMPTER_H_
