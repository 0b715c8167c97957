// The folder information file (DirInfo.txt by default): a folder's title,
// description, sidebar picture and caption, and a description per picture.
#ifndef ORVANTA_ENGINE_FOLDER_INFO_H_
#define ORVANTA_ENGINE_FOLDER_INFO_H_

#include <string>

#include "engine/run_context.h"

namespace orvanta {

// Fills *info from the information file of info->folder_path (a missing
// separator is appended). Defaults: the title is the folder's path from
// the gallery root's own name down ("Trip/Day2/"), the rest empty. A missing
// file leaves the defaults; a read error ends the reading silently, keeping
// what was read.
void ReadFolderInfoFile(RunContext& ctx, FolderInfo* info);

// The picture's description from the information file (HTML, may be
// empty): the first entry for the name, ignoring case; a name that is not
// UTF-8 is also looked for as Windows-1252. Null when there is none.
const std::string* FindPictureDescription(const FolderInfo& info,
                                          const std::string& file_name);

// The HTML title of a picture: its description from the information file
// (FindPictureDescription), else its base name, escaped.
std::string LookupPictureTitle(const FolderInfo& info,
                               const std::string& file_name);

// The HTML link text for a subfolder: the first DirectoryTitle of the
// subfolder's information file, else the escaped subfolder name.
std::string LookupSubfolderCaption(RunContext& ctx, const FolderInfo& info,
                                   const std::string& subfolder);

// A relative path written by the person ("Sun set.jpg", "../a/b.jpg"),
// percent-encoded segment by segment for a link.
std::string UrlEncodeRelativePath(const std::string& path);

// The sidebar picture's img tag, followed by "<BR>", a line break and the
// caption when there is a caption.
std::string BuildSidebarPictureHtml(RunContext& ctx, const FolderInfo& info);

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_FOLDER_INFO_H_
