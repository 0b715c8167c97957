// The options file, info.ini in the program's folder: loading it into the
// controls and saving the controls to it, keeping a backup.
#ifndef ORVANTA_OPTIONS_OPTIONS_FILE_H_
#define ORVANTA_OPTIONS_OPTIONS_FILE_H_

#include <string>
#include <string_view>

#include "common/file_system.h"
#include "common/prompter.h"
#include "options/options.h"

namespace orvanta {

// Applies one "Key=Value" line (as read from the file: trimmed, comments
// and lines without "=" skipped) to the controls and the extension table.
// Returns false when the key is unknown or the line is skipped; throws
// Error when the value is not acceptable (a list index outside its list).
bool ApplyOptionLine(std::string_view line, OptionControls* controls,
                     ExtensionTable* table);

// Reads program_folder/info.ini into the controls. Without the file (the
// first start, or it went while being opened) the defaults are put in and
// saved. Any other failure shows the loading error message (values applied
// before it stay). Extension boxes whose keys the file holds take the
// table's lists.
void LoadOptions(const std::string& program_folder, OptionControls* controls,
                 GalleryOptions* options, FileSystem& fs, Prompter& prompter);

// Writes the controls and the extension table to program_folder/info.ini
// after copying the old file to info.BAK. The new file is written to a
// temporary file first and renamed over the old one, so a failed write
// leaves the old file intact; failures show the saving error message.
// Returns true on success.
bool SaveOptions(const std::string& program_folder,
                 const OptionControls& controls, const ExtensionTable& table,
                 FileSystem& fs, Prompter& prompter);

}  // namespace orvanta

#endif  // ORVANTA_OPTIONS_OPTIONS_FILE_H_
