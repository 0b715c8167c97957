// Reading folder information files.
#include "engine/plan/folder_info.h"

#include "common/error.h"
#include "common/html_text.h"
#include "common/path_utils.h"
#include "common/text_utils.h"

namespace orvanta {

namespace {

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
  info->description.clear();
  info->sidebar_picture_name.clear();
  info->sidebar_picture_caption.clear();
  info->photo_descriptions.clear();
  info->description_index.clear();
  if (!fs.FileExists(path)) return;
  try {
    auto reader = fs.OpenTextFile(path);
    std::string line, key, value;
    while (reader->ReadLine(&line)) {
      if (!SplitEntry(line, &key, &value)) continue;
      std::string lower = ToLowerAscii(key);
      if (lower == "directorytitle") {
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
  } catch (const Error&) {
    // An unreadable information file is not an error: keep what was read.
  }
}

std::string LookupPictureTitle(const FolderPlan& info,
                               const std::string& file_name) {
  auto found = info.description_index.find(ToLowerAscii(file_name));
  if (found != info.description_index.end()) {
    return info.photo_descriptions[found->second].description;
  }
  return HtmlEscape(BaseNameOf(file_name));
}

std::string LookupSubfolderCaption(FileSystem& fs, const std::string& info_file,
                                   const std::string& folder_path,
                                   const std::string& subfolder) {
  std::string folder = folder_path + subfolder;
  const std::string path = JoinPath(&folder, info_file);
  if (!fs.FileExists(path)) return HtmlEscape(subfolder);
  try {
    auto reader = fs.OpenTextFile(path);
    std::string line, key, value;
    while (reader->ReadLine(&line)) {
      if (SplitEntry(line, &key, &value) &&
          ToLowerAscii(key) == "directorytitle") {
        return value;
      }
    }
  } catch (const Error&) {
    // Keep the caption found so far: the folder's name.
  }
  return HtmlEscape(subfolder);
}

}  // namespace orvanta
