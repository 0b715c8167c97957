// Path routines: joining, extensions, page names and shortening a path
// for display.
#include "common/path_utils.h"

#include <algorithm>
#include <array>

#include "common/text_utils.h"

namespace orvanta {

namespace {

// 0-based start of the last path component of `name`.
size_t LastComponentStart(std::string_view name) {
  size_t slash = name.find_last_of(kPathSeparator == '/' ? "/" : "/\\");
  return slash == std::string_view::npos ? 0 : slash + 1;
}

// Splits off the prefix that ShortenPath keeps in front: "./", "../" or
// the root.
std::pair<std::string, std::string> SplitOffPrefix(const std::string& path,
                                                   char separator) {
  const std::string sep(1, separator);
  size_t length = 0;
  if (path.starts_with("." + sep)) {
    length = 2;
  } else if (path.starts_with(".." + sep)) {
    length = 3;
  } else if (path.starts_with(sep)) {
    length = 1;
  }
  return {path.substr(0, length), path.substr(length)};
}

}  // namespace

std::string JoinPath(std::string* folder, std::string_view name,
                     char separator) {
  *folder = WithTrailingSeparator(std::move(*folder), separator);
  return *folder + std::string(name);
}

std::string JoinPathCopy(std::string folder, std::string_view name,
                         char separator) {
  return JoinPath(&folder, name, separator);
}

std::string WithTrailingSeparator(std::string folder, char separator) {
  if (folder.empty() || folder.back() != separator) folder += separator;
  return folder;
}

std::string FileNameOf(std::string_view path) {
  return std::string(path.substr(LastComponentStart(path)));
}

std::string ExtensionOf(std::string_view name) {
  std::string_view last = name.substr(LastComponentStart(name));
  size_t dot = last.rfind('.');
  if (dot == std::string_view::npos) return "";
  return std::string(last.substr(dot + 1));
}

std::string BaseNameOf(std::string_view name) {
  std::string_view last = name.substr(LastComponentStart(name));
  size_t dot = last.rfind('.');
  return std::string(dot == std::string_view::npos ? last
                                                   : last.substr(0, dot));
}

std::string ExpandHomeFolder(std::string_view path, std::string_view home,
                             char separator) {
  if (home.empty() || !path.starts_with('~') ||
      (path.size() > 1 && path[1] != separator)) {
    return std::string(path);
  }
  return std::string(home) + std::string(path.substr(1));
}

std::string PathBelow(std::string_view path, std::string_view top,
                      bool with_top_name, char separator) {
  if (!path.starts_with(top) || top.empty()) return std::string(path);
  size_t start = top.size();
  if (with_top_name) {
    const size_t name = top.find_last_of(separator, top.size() - 2);
    start = name == std::string_view::npos || top.size() < 2 ? 0 : name + 1;
  }
  return std::string(path.substr(start));
}

// Keeps the prefix, cuts the rest into up to four parts (three single
// folders and what is left), shortens the first folder to fit and, when
// even that is not enough, replaces the first folder by the ".../" mark
// and tries again; a last part still too long is cut and marked "..".
std::string ShortenPath(std::string_view path, int max_length, char separator) {
  const std::string shift_mark = "..." + std::string(1, separator);
  const std::string cut_mark = ".." + std::string(1, separator);
  max_length = std::max(max_length, 3);
  const std::string trimmed = TrimBlanks(path);
  auto length = [](const std::string& text) {
    return static_cast<int>(text.size());
  };
  if (length(trimmed) <= max_length) return trimmed;

  auto [prefix, rest] = SplitOffPrefix(trimmed, separator);
  std::array<std::string, 4> parts = {rest};
  int part_count = 1;
  for (int i = 0; i < 3; ++i) {
    size_t cut = parts[i].find(separator);
    if (cut == std::string::npos) break;
    parts[i + 1] = parts[i].substr(cut + 1);
    parts[i].erase(cut + 1);
    ++part_count;
  }
  if (part_count == 1) {
    const int keep = std::max(max_length - length(prefix) - 2, 3);
    if (keep < length(parts[0]) - 2) {
      return prefix + parts[0].substr(0, keep) + "..";
    }
    return prefix + parts[0];
  }

  int shift = 0;
  if (parts[0] == shift_mark) {
    std::rotate(parts.begin(), parts.begin() + 1, parts.end());
    parts[3].clear();
    shift = 4;
  }
  const int tail = length(parts[1]) + length(parts[2]) + length(parts[3]);
  const int room = max_length - length(prefix) - tail - 3 - shift;
  if (!parts[2].empty() && room < 1) {
    return ShortenPath(prefix + shift_mark + parts[1] + parts[2] + parts[3],
                       max_length, separator);
  }
  if (shift > 0) prefix += shift_mark;
  parts[0] = parts[0].substr(0, std::max(room, 1)) + cut_mark;

  const std::string result = prefix + parts[0] + parts[1] + parts[2] + parts[3];
  if (length(result) <= max_length) return result;
  int last = 3;
  while (last > 0 && parts[last].empty()) --last;
  const int new_length =
      length(parts[last]) - (length(result) - max_length) - 2;
  parts[last] = parts[last].substr(0, new_length >= 4 ? new_length : 3) + "..";
  return prefix + parts[0] + parts[1] + parts[2] + parts[3];
}

}  // namespace orvanta
