// The option table: every option once, with its info.ini key, the member
// of OptionControls that holds it, its default and its rule. Loading and
// saving info.ini, --set KEY=VALUE and the key list of orvanta-cli --help,
// the defaults and the window's rules on leaving a text box all work from it.
//
// Adding an option: a member in OptionControls, one row in OptionTable()
// (option_table.cc; the helper that makes the row names the rule, and the
// rows' order is the order of info.ini), and in the window a control made
// with the key (main_window_layout.cc). Reading and writing the control,
// saving, loading, --set and the rule on leaving its box then follow.
#ifndef ORVANTA_OPTIONS_OPTION_TABLE_H_
#define ORVANTA_OPTIONS_OPTION_TABLE_H_

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "options/options.h"

namespace orvanta {

enum class OptionRule {
  kFolder,         // a folder: any text
  kProgram,        // a program to run: any text
  kFileName,       // a file name, never empty; its box takes file-name keys
  kFilePrefix,     // begins file names: never empty, see IsSafeFilePrefix
  kExtension,      // an extension: trimmed, without its ".", never empty
  kExtensionList,  // the pictures' or the movies' extensions
  kTrueFalse,      // a check box: 0, 1 or 2 (grey); True or False in the file
  kNumber,         // a number box: a whole number minimum..maximum
  kListIndex,      // an entry of a list: 0..maximum (-1, none, in the file)
  kStyleName,      // a page style's name in lower case, or ""
  kWebAddress,     // "" or an address, see IsGalleryAddress
};

struct OptionRow {
  const char* key;
  OptionRule rule;
  // The member that holds the option: `text` for text and numbers (as the
  // box shows them), `value` for check boxes and lists.
  std::string OptionControls::*text = nullptr;
  int OptionControls::*value = nullptr;
  const char* default_text = "";  // text rules
  int default_value = 0;          // numbers, list indices, check boxes
  int minimum = 0;
  int maximum = 0;
  bool movies = false;  // kExtensionList: the movies' list
  // Restore Default Options leaves the option as it is.
  bool kept_on_restore = false;
  // Written to info.ini only when it differs from its default: a file of
  // the defaults stays as it was before the option existed.
  bool saved_when_set = false;
};

// Whether the controls hold the default of `row`.
bool HoldsDefault(const OptionRow& row, const OptionControls& controls);

// The rows in the order info.ini holds them.
std::span<const OptionRow> OptionTable();

// The row of `key` in any case; null when there is none.
const OptionRow* FindOption(std::string_view key);

// Puts the default of `row` into the controls.
void PutDefault(const OptionRow& row, OptionControls* controls);

// The window's rule on leaving a text box of `row`: a number outside its
// range, an empty name or list and an unsafe prefix become the default; an
// extension loses its blanks and leading ".". Returns the text to show.
std::string TextOnLeave(const OptionRow& row, std::string text);

// `value` given as --set KEY=VALUE, as the window's control would take it:
// a number whole and in range, a check box True or False (or 1, 0), a list
// index one of its list, a text that never stays empty not empty, a prefix
// safe. Returns it as info.ini would hold it; throws Error naming the key
// and what it takes.
std::string CheckedValue(const OptionRow& row, const std::string& value);

// The number of a number box for a run: rounded ties to even, its default
// when outside its range. Throws Error when the box holds no number or one
// beyond 32 bits.
int32_t CapturedNumber(const OptionControls& controls,
                       std::string OptionControls::*number);

}  // namespace orvanta

#endif  // ORVANTA_OPTIONS_OPTION_TABLE_H_
