// The folder information file (DirInfo.txt by default): a folder's title,
// description, sidebar picture and caption, and a description per picture.
#ifndef ORVANTA_ENGINE_PLAN_FOLDER_INFO_H_
#define ORVANTA_ENGINE_PLAN_FOLDER_INFO_H_

#include <string>

#include "common/file_system.h"
#include "engine/plan/gallery_plan.h"

namespace orvanta {

// Fills *folder from the information file `info_file` of
// folder->folder_path (which ends in the separator). Defaults: the title is
// the folder's path from the gallery root's own name down ("Trip/Day2/";
// `input_folder` is the root, ending in the separator), the rest empty. A
// missing file leaves the defaults; a read error ends the reading
// silently, keeping what was read.
void ReadFolderInfoFile(FileSystem& fs, const std::string& info_file,
                        const std::string& input_folder, FolderPlan* folder);

// The picture's description from the information file (HTML, may be
// empty): the first entry for the name, ignoring case; a name that is not
// UTF-8 is also looked for as Windows-1252. Null when there is none.
const std::string* FindPictureDescription(const FolderPlan& folder,
                                          const std::string& file_name);

// The HTML title of a picture: its description from the information file
// (FindPictureDescription), else its base name, escaped.
std::string LookupPictureTitle(const FolderPlan& folder,
                               const std::string& file_name);

// The HTML link text for a subfolder: the first DirectoryTitle of the
// subfolder's information file, else the escaped subfolder name.
std::string LookupSubfolderCaption(FileSystem& fs, const std::string& info_file,
                                   const std::string& folder_path,
                                   const std::string& subfolder);

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_PLAN_FOLDER_INFO_H_
