// Reading folder information files, in UTF-8 or (from older Windows
// editors) Windows-1252.
#include "engine/folder_info.h"

#include <vector>

#include "common/error.h"
#include "common/path_utils.h"
#include "common/text_utils.h"
#include "engine/html_text.h"

namespace orvanta {

std::string UrlEncodeRelativePath(const std::string& path) {
  std::string out;
  size_t start = 0;
  while (true) {
    size_t slash = path.find('/', start);
    out += UrlEncodeName(std::string_view(path).substr(
        start, slash == std::string::npos ? std::string::npos : slash - start));
    if (slash == std::string::npos) break;
    out += '/';
    start = slash + 1;
  }
  return out;
}

namespace {

// The lines of the information file at `path` in UTF-8: a file that is
// not valid UTF-8 was written in Windows-1252. A read error ends the
// reading, keeping what was read.
std::vector<std::string> ReadInfoLines(RunContext& ctx,
                                       const std::string& path) {
  std::vector<std::string> lines;
  bool utf8 = true;
  try {
    auto reader = ctx.fs.OpenTextFile(path);
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

void ReadFolderInfoFile(RunContext& ctx, FolderInfo* info) {
  info->folder_path = WithTrailingSeparator(info->folder_path);
  const std::string path = info->folder_path + ctx.options.directory_info_file;
  // Pages may go on the web: the title shows the path from the gallery's
  // own folder down, not where the gallery lies on this computer.
  info->title =
      HtmlEscape(PathBelow(info->folder_path, ctx.input_folder, true));
  info->description.clear();
  info->sidebar_picture_name.clear();
  info->sidebar_picture_caption.clear();
  info->photo_descriptions.clear();
  info->description_index.clear();
  if (!ctx.fs.FileExists(path)) return;
  std::string key, value;
  for (const std::string& line : ReadInfoLines(ctx, path)) {
    if (!SplitEntry(line, &key, &value)) continue;
    std::string lower = ToLowerAscii(key);
    // Texts go on pages as HTML, without controls or bidi overrides; the
    // sidebar picture's name stays the file's.
    if (lower != "sidebarpicturename") value = WithoutHiddenControls(value);
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
}

const std::string* FindPictureDescription(const FolderInfo& info,
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

std::string LookupPictureTitle(const FolderInfo& info,
                               const std::string& file_name) {
  const std::string* description = FindPictureDescription(info, file_name);
  return description ? *description : HtmlEscape(BaseNameOf(file_name));
}

std::string LookupSubfolderCaption(RunContext& ctx, const FolderInfo& info,
                                   const std::string& subfolder) {
  std::string folder = info.folder_path + subfolder;
  const std::string path = JoinPath(&folder, ctx.options.directory_info_file);
  if (!ctx.fs.FileExists(path)) return HtmlEscape(subfolder);
  std::string key, value;
  for (const std::string& line : ReadInfoLines(ctx, path)) {
    if (SplitEntry(line, &key, &value) &&
        ToLowerAscii(key) == "directorytitle") {
      return WithoutHiddenControls(value);
    }
  }
  return HtmlEscape(subfolder);
}

std::string BuildSidebarPictureHtml(RunContext& ctx, const FolderInfo& info) {
  const std::string& name = info.sidebar_picture_name;
  const std::string& caption = info.sidebar_picture_caption;
  const std::string alt =
      ctx.fs.FileExists(info.folder_path + name) ? caption : name;
  std::string html = "<img src=\"" + UrlEncodeRelativePath(name) + "\" alt=\"" +
                     HtmlEscape(alt) + "\">";
  if (!caption.empty()) html += "<BR>" + std::string(kCrLf) + caption;
  return html;
}

}  // namespace orvanta
