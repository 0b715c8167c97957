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

// The prefix that ShortenPath keeps in front: a network server part
// ("\\server\"), ".\", "..\", a drive ("C:\") or, for "/" paths, the root.
struct SplitPrefix {
  std::string prefix;
  std::string rest;
  bool network = false;
};

SplitPrefix SplitOffPrefix(const std::string& path, char separator) {
  std::string sep(1, separator);
  SplitPrefix split;
  if (path.starts_with(sep + sep)) {
    split.network = true;
    size_t server_end = path.find(separator, 2);
    if (server_end == std::string::npos) {
      split.prefix = sep + sep;
      split.rest = path.substr(2);
    } else {
      split.prefix = path.substr(0, server_end + 1);
      split.rest = path.substr(server_end + 1);
    }
  } else if (path.starts_with("." + sep)) {
    split.prefix = path.substr(0, 2);
    split.rest = path.substr(2);
  } else if (path.starts_with(".." + sep) ||
             (separator == '\\' && path.size() >= 3 &&
              path.compare(1, 2, ":\\") == 0)) {
    split.prefix = path.substr(0, 3);
    split.rest = path.substr(3);
  } else if (separator == '/' && path.starts_with("/")) {
    split.prefix = "/";
    split.rest = path.substr(1);
  } else {
    split.rest = path;
  }
  return split;
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

bool FileExists(FileSystem& fs, const std::string& path) {
  return !path.empty() && fs.FileExists(path);
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

std::string ChangeExtension(std::string_view name,
                            std::string_view new_extension, bool replace) {
  std::string wanted = TrimBlanks(new_extension);
  if (wanted.starts_with('.')) wanted.erase(0, 1);
  std::string current = ExtensionOf(name);
  if (EqualsIgnoreCase(current, wanted)) return std::string(name);
  if (!current.empty() && replace) {
    return std::string(name.substr(0, name.size() - current.size())) + wanted;
  }
  return std::string(name) + "." + wanted;
}

std::string HtmlPageName(std::string_view name) {
  return ChangeExtension(name, ".html", true);
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
// even that is not enough, replaces the first folder by the "...\" mark
// and tries again; a last part still too long is cut and marked "..".
std::string ShortenPath(std::string_view path, int max_length, char separator) {
  const std::string sep(1, separator);
  const std::string shift_mark = "..." + sep;
  const std::string cut_mark = ".." + sep;
  max_length = std::max(max_length, 3);
  std::string trimmed = TrimBlanks(path);
  auto length = [](const std::string& text) {
    return static_cast<int>(text.size());
  };
  if (length(trimmed) <= max_length) return trimmed;

  SplitPrefix split = SplitOffPrefix(trimmed, separator);
  std::string prefix = split.prefix;
  std::array<std::string, 4> parts;
  parts[0] = split.rest;
  int part_count = 1;
  for (int i = 0; i < 3; ++i) {
    size_t cut = parts[i].find(separator);
    if (cut == std::string::npos) break;
    parts[i + 1] = parts[i].substr(cut + 1);
    parts[i].erase(cut + 1);
    ++part_count;
  }
  const bool long_network_prefix = split.network && length(prefix) > 5;

  if (part_count == 1) {
    if (long_network_prefix) {
      int room = max_length - length(parts[0]) - 3;
      if (room < length(prefix)) {
        prefix = prefix.substr(0, std::max(room, 3)) + cut_mark;
      }
    }
    int keep = std::max(max_length - length(prefix) - 2, 3);
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
  auto tail_length = [&] {
    return length(parts[1]) + length(parts[2]) + length(parts[3]);
  };
  int room = max_length - length(prefix) - tail_length() - 3 - shift;
  if (!parts[2].empty() && room < 1) {
    return ShortenPath(prefix + shift_mark + parts[1] + parts[2] + parts[3],
                       max_length, separator);
  }
  if (long_network_prefix) {
    int available = max_length - tail_length() - 7 - shift;
    if (available < length(prefix) - 3) {
      prefix = prefix.substr(0, std::max(available, 3)) + cut_mark;
    }
    room = max_length - length(prefix) - tail_length() - 3 - shift;
  }
  if (shift > 0) prefix += shift_mark;
  room = std::max(room, 1);
  parts[0] = parts[0].substr(0, room) + cut_mark;

  std::string result = prefix + parts[0] + parts[1] + parts[2] + parts[3];
  if (length(result) <= max_length) return result;
  int last = 3;
  while (last > 0 && parts[last].empty()) --last;
  int excess = length(result) - max_length;
  int new_length = length(parts[last]) - excess - 2;
  parts[last] = parts[last].substr(0, new_length >= 4 ? new_length : 3) + "..";
  return prefix + parts[0] + parts[1] + parts[2] + parts[3];
}

}  // namespace orvanta
