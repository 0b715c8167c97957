// Where the program keeps info.ini, info.BAK and the page templates.
#ifndef ORVANTA_OPTIONS_SETTINGS_FOLDER_H_
#define ORVANTA_OPTIONS_SETTINGS_FOLDER_H_

#include <string>

#include "common/file_system.h"

namespace orvanta {

// The settings folder of a program in `program_folder`. An installed
// program (in the bin folder of an install prefix that holds
// share/doc/orvanta, such as /usr/bin or PREFIX/bin) keeps its settings in
// $XDG_CONFIG_HOME/orvanta (~/.config/orvanta when that is unset or not an
// absolute path), made when missing, so that nothing is written under the
// prefix; but an info.ini beside the program still wins. Anywhere else (the
// build folder, a folder the program was copied to), and on a system
// without a configuration folder, the program's own folder serves, for
// portable use.
std::string SettingsFolder(const std::string& program_folder, FileSystem& fs);

// Makes the settings folder when it is missing and checks that info.ini
// can be written there, writing nothing. Throws Error naming the folder
// when it cannot be made or written.
void PrepareSettingsFolder(const std::string& folder, FileSystem& fs);

}  // namespace orvanta

#endif  // ORVANTA_OPTIONS_SETTINGS_FOLDER_H_
