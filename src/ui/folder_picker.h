// The folder picker: the platform's folder dialog opened on a start
// folder, with a prompt, returning the chosen folder. A program-wide hook
// lets a test choose instead of a person.
#ifndef ORVANTA_UI_FOLDER_PICKER_H_
#define ORVANTA_UI_FOLDER_PICKER_H_

#include <functional>
#include <string>

class QWidget;

namespace orvanta {

// Chooses a folder instead of the dialog: given the start folder and the
// prompt, returns the chosen path or "" for Cancel.
using FolderPickerHook = std::function<std::string(const std::string& start,
                                                   const std::string& prompt)>;

// Installs `hook` for every later pick; an empty hook brings the dialog
// back. Returns the hook installed before.
FolderPickerHook SetFolderPickerHook(FolderPickerHook hook);

// Shows the folder dialog modal to `owner`, titled `prompt`, showing
// folders only, opened on *start_folder (the program's current folder when
// it is empty). On success returns the chosen folder's full path and sets
// *start_folder to it; on Cancel returns "" and leaves *start_folder
// unchanged.
std::string BrowseForFolder(QWidget* owner, std::string* start_folder,
                            const std::string& prompt);

}  // namespace orvanta

#endif  // ORVANTA_UI_FOLDER_PICKER_H_
