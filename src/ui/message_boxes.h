// Message boxes on the screen: every MessageBox of the program becomes a
// modal QMessageBox with its title, text, buttons, icon and default
// button. A program-wide hook lets a test (or a scripted session) answer
// the boxes instead.
#ifndef ORVANTA_UI_MESSAGE_BOXES_H_
#define ORVANTA_UI_MESSAGE_BOXES_H_

#include <functional>

#include "common/prompter.h"

class QMessageBox;
class QWidget;

namespace orvanta {

// Answers a box instead of showing it.
using MessageBoxHook = std::function<Answer(const MessageBox&)>;

// Installs `hook` for every later box; an empty hook brings the real boxes
// back. Returns the hook that was installed before.
MessageBoxHook SetMessageBoxHook(MessageBoxHook hook);

// The button of a box with a page to open (a run's summary): "Open
// gallery" opens it in the person's browser and closes the box.
inline constexpr char kOpenGalleryButton[] = "cmdOpenGallery";

// Fills `dialog` from `box`: title, plain text (CR LF becomes a line
// break), icon, the buttons in order and the 1-based default button (out
// of range: the first), and the "Open gallery" button when the box has a
// page to open. Escape gives Cancel, or the only button.
void ConfigureMessageBox(const MessageBox& box, QMessageBox* dialog);

// Shows `box` modal over `parent` (may be null) and returns the button the
// person chose; with a hook installed, returns the hook's answer without
// showing anything. A box closed without a button answers Cancel, No or
// OK, the first that the box has.
Answer ShowMessageBox(QWidget* parent, const MessageBox& box);

}  // namespace orvanta

#endif  // ORVANTA_UI_MESSAGE_BOXES_H_
