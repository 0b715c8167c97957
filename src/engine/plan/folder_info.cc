// Reading folder information files, in UTF-8 or (from older Windows
// editors) Windows-1252.
#include "engine/plan/folder_info.h"

#include <vector>

#include "common/error.h"
#include "common/html_text.h"
#include "common/path_utils.h"
#include "common/text_utils.h"

namespace orvanta {

namespace {

// The lines of the information file at `path` in UTF-8: a file that is
// not valid UTF-8 was written in Windows-1252. A read error ends the
// reading, keeping what was read.
std::vector<std::string> ReadInfoLines(FileSystem& fs,
                                       const std::string& path) {
  std::vector<std::string> lines;
  bool utf8 = true;
  try {
    auto reader = fs.OpenTextFile(path);
    std::string line;
    while (reader->ReadLine(&line)) {
      utf8 = utf8 && IsValidUtf8(line);
      lines.push_back(std::move(line));
    }
  } catch (const Error&) {
    // An unreadable information file is not an error: keep what was read.
  }
  if (!utf8) {
    for (std::string& line : lines) line = Windows1252ToUtf8(line);
  }
  return lines;
}

// Splits an information-file line at its first "="; false for a line
// without one (such lines are ignored).
bool SplitEntry(const std::string& line, std::string* key, std::string* value) {
  size_t equals = line.find('=');
  if (equals == std::string::npos) return false;
  *key = line.substr(0, equals);
  *value = line.substr(equals + 1);
  return true;
}

}  // namespace

void ReadFolderInfoFile(FileSystem& fs, const std::string& info_file,
                        const std::string& input_folder, FolderPlan* info) {
  const std::string path = info->folder_path + info_file;
  // Pages may go on the web: the title shows the path from the gallery's
  // own folder down, not where the gallery lies on this computer.
  info->title = HtmlEscape(PathBelow(info->folder_path, input_folder, true));
  std::string own = info->folder_path;
  while (own.size() > 1 && own.back() == kPathSeparator) own.pop_back();
  info->heading = HtmlEscape(FileNameOf(own));
  info->description.clear();
  info->sidebar_picture_name.clear();
  info->sidebar_picture_caption.clear();
  info->photo_descriptions.clear();
  info->description_index.clear();
  if (!fs.FileExists(path)) return;
  std::string key, value;
  for (const std::string& line : ReadInfoLines(fs, path)) {
    if (!SplitEntry(line, &key, &value)) continue;
    std::string lower = ToLowerAscii(key);
    // Texts go on pages as HTML, without controls or bidi overrides; the
    // sidebar picture's name stays the file's.
    if (lower != "sidebarpicturename") value = WithoutHiddenControls(value);
    if (lower == "directorytitle") {
      info->heading = value;
      info->title = std::move(value);
    } else if (lower == "directorydescription") {
      info->description = std::move(value);
    } else if (lower == "sidebarpicturename") {
      info->sidebar_picture_name = std::move(value);
    } else if (lower == "sidebarpicturecaption") {
      info->sidebar_picture_caption = std::move(value);
    } else {
      info->description_index.emplace(lower, info->photo_descriptions.size());
      info->photo_descriptions.push_back({std::move(key), std::move(value)});
    }
  }
}

const std::string* FindPictureDescription(const FolderPlan& info,
                                          const std::string& file_name) {
  auto found = info.description_index.find(ToLowerAscii(file_name));
  // A name in Latin-1 bytes on disk, the information file's decoded one.
  if (found == info.description_index.end() && !IsValidUtf8(file_name)) {
    found =
        info.description_index.find(ToLowerAscii(Windows1252ToUtf8(file_name)));
  }
  if (found == info.description_index.end()) return nullptr;
  return &info.photo_descriptions[found->second].description;
}

std::string LookupPictureTitle(const FolderPlan& info,
                               const std::string& file_name) {
  const std::string* description = FindPictureDescription(info, file_name);
  return description ? *description : HtmlEscape(BaseNameOf(file_name));
}

std::string LookupSubfolderCaption(FileSystem& fs, const std::string& info_file,
                                   const std::string& folder_path,
                                   const std::string& subfolder) {
  std::string folder = folder_path + subfolder;
  const std::string path = JoinPath(&folder, info_file);
  if (!fs.FileExists(path)) return HtmlEscape(subfolder);
  std::string key, value;
  for (const std::string& line : ReadInfoLines(fs, path)) {
    if (SplitEntry(line, &key, &value) &&
        ToLowerAscii(key) == "directorytitle") {
      return WithoutHiddenControls(value);
    }
  }
  return HtmlEscape(subfolder);
}

}  // namespace orvanta
