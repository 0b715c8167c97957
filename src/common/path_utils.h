// Path routines: joining, extensions, page names and shortening a path
// for display. Routines that look at separators take the separator
// as a parameter (default: the native one) so both "\" and "/" paths follow
// the same rules.
#ifndef ORVANTA_COMMON_PATH_UTILS_H_
#define ORVANTA_COMMON_PATH_UTILS_H_

#include <string>
#include <string_view>

#include "common/platform.h"

namespace orvanta {

// Appends `separator` to *folder unless it already ends in one (an empty
// folder becomes the separator alone) and returns *folder + name.
std::string JoinPath(std::string* folder, std::string_view name,
                     char separator = kPathSeparator);
// The same without changing the caller's folder.
std::string JoinPathCopy(std::string folder, std::string_view name,
                         char separator = kPathSeparator);
// `folder` with the separator appended when it does not end in one.
std::string WithTrailingSeparator(std::string folder,
                                  char separator = kPathSeparator);

// The last path component ("x/Ocean.jpg" -> "Ocean.jpg").
std::string FileNameOf(std::string_view path);
// The text after the last dot of the last path component; empty when there
// is none ("a.tar.gz" -> "gz", "README" -> "").
std::string ExtensionOf(std::string_view name);
// The last path component without its last extension ("x/Ocean.jpg" ->
// "Ocean", "README" -> "README").
std::string BaseNameOf(std::string_view name);

// `path` with a leading "~" (alone or before the separator) standing for
// `home`: "~/Pictures" -> home + "/Pictures". Other paths, "~user" among
// them, and any path when `home` is empty, come back unchanged.
std::string ExpandHomeFolder(std::string_view path, std::string_view home,
                             char separator = kPathSeparator);

// `path` below `top` (which ends in the separator): "/p/Trip/Day2/x.jpg"
// below "/p/Trip/" is "Day2/x.jpg". With `with_top_name` the last folder
// name of `top` leads: "Trip/Day2/x.jpg". A path outside `top` comes back
// whole.
std::string PathBelow(std::string_view path, std::string_view top,
                      bool with_top_name, char separator = kPathSeparator);

// Shortens a path for display to about `max_length` characters (at least
// 3), keeping the start ("./", "../" or the root) and the last folders and
// marking what was cut with "..". Short paths come back trimmed but
// otherwise unchanged.
std::string ShortenPath(std::string_view path, int max_length,
                        char separator = kPathSeparator);

}  // namespace orvanta

#endif  // ORVANTA_COMMON_PATH_UTILS_H_
