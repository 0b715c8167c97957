// Rules bound to the main window's text boxes: the key filter, which
// decides per typed character what a box accepts, and the focus rules that
// run when the focus leaves a box.
#ifndef ORVANTA_UI_TEXT_BOX_RULES_H_
#define ORVANTA_UI_TEXT_BOX_RULES_H_

#include <functional>

#include "common/key_filter.h"

class QKeyEvent;
class QLineEdit;

namespace orvanta {

// The character code a text box would receive for this key press: 1-26
// for Ctrl+A..Ctrl+Z, 8 backspace, 13 Enter, 27 Escape, the character's
// code for typed text (values above 255 for other characters); -1 for keys
// that type nothing (arrows, Delete, Home, function keys, Alt
// combinations), which the filter lets through.
int KeyPressCode(const QKeyEvent& event);

// Runs every key press of `box` through FilterTextBoxKeyPress with `flags`:
// dropped keys are swallowed, Ctrl+A selects the whole text, Ctrl+Z
// empties the box, a replaced key is typed in its new form, kept keys
// reach the box.
void BindKeyFilter(QLineEdit* box, const KeyFilterFlags& flags);

// Runs `rule` whenever the keyboard focus leaves `box` for another control
// of the program (not when another window or a menu takes it).
void OnFocusLeave(QLineEdit* box, std::function<void()> rule);

}  // namespace orvanta

#endif  // ORVANTA_UI_TEXT_BOX_RULES_H_
