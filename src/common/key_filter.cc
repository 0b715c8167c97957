// The key filter of the text boxes: decides, key by key, what a box
// accepts.
#include "common/key_filter.h"

namespace orvanta {

namespace {

constexpr int kDrop = 0;

// `key_code` when `allowed`, else 0 (dropped).
KeyFilterResult KeepWhen(bool allowed, int key_code) {
  KeyFilterResult result;
  result.key_code = allowed ? key_code : kDrop;
  return result;
}

}  // namespace

// Applies the rules in order, the first matching one deciding: Ctrl+A
// selects all, the clipboard keys follow `flags.clipboard`, Ctrl+Z clears
// the box, backspace is kept, then digits, blank, "$", "+", "-", "." (","
// never), "@", letters (or the exponent letter turned into "E"), "_"; any
// other code is dropped.
KeyFilterResult FilterTextBoxKeyPress(int key_code,
                                      const KeyFilterFlags& flags) {
  KeyFilterResult result;
  switch (key_code) {
    case 1:  // Ctrl+A
      result.select_all = true;
      return result;
    case 3:   // Ctrl+C
    case 22:  // Ctrl+V
    case 24:  // Ctrl+X
      return KeepWhen(flags.clipboard, key_code);
    case 26:  // Ctrl+Z: back to the undo text, which is always empty
      result.clear_text = true;
      return result;
    case 8:  // backspace
      return KeepWhen(true, key_code);
    case ' ':
      return KeepWhen(flags.blank, key_code);
    case '$':
      return KeepWhen(flags.dollar, key_code);
    case '+':
      return KeepWhen(flags.plus, key_code);
    case '-':
      return KeepWhen(flags.minus, key_code);
    case ',':
      return KeepWhen(false, key_code);
    case '.':
      return KeepWhen(flags.decimal_point, key_code);
    case '@':
      return KeepWhen(flags.at, key_code);
    case '_':
      return KeepWhen(flags.underscore, key_code);
    default:
      break;
  }
  if (key_code >= '0' && key_code <= '9') {
    return KeepWhen(flags.digits, key_code);
  }
  bool is_letter = (key_code >= 'A' && key_code <= 'Z') ||
                   (key_code >= 'a' && key_code <= 'z');
  if (is_letter) {
    if (flags.letters) return KeepWhen(true, key_code);
    if (flags.exponent && (key_code == 'e' || key_code == 'E')) {
      return KeepWhen(true, 'E');
    }
    return KeepWhen(false, key_code);
  }
  return KeepWhen(false, key_code);
}

KeyFilterFlags FileNameKeyFlags() {
  KeyFilterFlags flags;
  flags.digits = true;
  flags.decimal_point = true;
  flags.minus = true;
  flags.letters = true;
  flags.plus = true;
  flags.underscore = true;
  flags.dollar = true;
  flags.at = true;
  flags.blank = true;
  flags.exponent = false;
  flags.clipboard = true;
  return flags;
}

KeyFilterFlags DigitsOnlyKeyFlags() {
  KeyFilterFlags flags;
  flags.digits = true;
  flags.clipboard = true;
  return flags;
}

}  // namespace orvanta
