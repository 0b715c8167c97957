// The options file, info.ini in the settings folder: loading it into the
// option controls and saving the controls to it, keeping a backup. The
// option table (option_table.h) drives both.
#ifndef ORVANTA_OPTIONS_OPTIONS_FILE_H_
#define ORVANTA_OPTIONS_OPTIONS_FILE_H_

#include <string>
#include <string_view>

#include "common/file_system.h"
#include "options/options.h"

namespace orvanta {

// Applies one "Key=Value" given on the command line as the window's control
// would take it: a number must be a whole number in its box's range, a
// switch True or False, a list index one of its list, a box that never
// stays empty not empty; an extension list replaces that list. Throws Error
// naming the key and what is accepted (or the unknown key).
void ApplyOptionSetting(std::string_view setting, OptionControls* controls);

// Reads program_folder/info.ini into the controls, which the caller has
// filled with the defaults. Without the file (the first start, or it went
// while being opened) those are saved, with the built-in extension lists.
// Extension boxes whose keys the file holds take the lists read. Throws Error,
// its text the message for the person ("Error Loading General Program
// Information (Info.ini) File: ..."), when the file cannot be read or holds a
// bad value (the values applied before it stay), or when the defaults cannot be
// saved.
void LoadOptions(const std::string& program_folder, OptionControls* controls,
                 FileSystem& fs);

// Writes the controls, with the extension lists of `table`, to
// program_folder/info.ini, after copying the old file to info.BAK. The file
// is replaced whole or not at all. Throws Error, its text the message for
// the person ("Error Saving Program Information (Info.ini) File: ...").
void SaveOptions(const std::string& program_folder,
                 const OptionControls& controls, const ExtensionTable& table,
                 FileSystem& fs);

}  // namespace orvanta

#endif  // ORVANTA_OPTIONS_OPTIONS_FILE_H_
