// The key filter of the text boxes as a pure decision: given a key code and
// what the box allows, keep the key, drop it, or replace it, plus the
// select-all and clear effects of Ctrl+A and Ctrl+Z.
#ifndef ORVANTA_COMMON_KEY_FILTER_H_
#define ORVANTA_COMMON_KEY_FILTER_H_

namespace orvanta {

// What a text box accepts, in the order the filter is usually called with.
struct KeyFilterFlags {
  bool digits = false;
  bool decimal_point = false;
  bool minus = false;
  bool letters = false;
  bool plus = false;
  bool underscore = false;
  bool dollar = false;
  bool at = false;
  bool blank = false;
  bool exponent = false;   // "e"/"E" become "E" when letters are not allowed
  bool clipboard = false;  // Ctrl+X, Ctrl+C, Ctrl+V
};

struct KeyFilterResult {
  int key_code = 0;         // the key to insert; 0 drops it
  bool select_all = false;  // Ctrl+A: select the whole text
  bool clear_text = false;  // Ctrl+Z: replace the text by the (empty) undo
};

// Decides what happens to one key press (character code as the text box
// receives it: 1 = Ctrl+A, 3/22/24 = Ctrl+C/V/X, 8 = backspace, 26 =
// Ctrl+Z, printable ASCII otherwise).
KeyFilterResult FilterTextBoxKeyPress(int key_code,
                                      const KeyFilterFlags& flags);

// The flags of the file-name boxes: everything but the exponent letter.
KeyFilterFlags FileNameKeyFlags();
// The flags of the number boxes: digits and the clipboard keys only.
KeyFilterFlags DigitsOnlyKeyFlags();

}  // namespace orvanta

#endif  // ORVANTA_COMMON_KEY_FILTER_H_
