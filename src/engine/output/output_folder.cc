// Checking the output folder against the input folder.
#include "engine/output/output_folder.h"

#include "common/path_utils.h"

namespace orvanta {
namespace {

// Whether `inner` lies below `outer` (both resolved).
bool Below(const std::string& inner, const std::string& outer) {
  return inner.starts_with(WithTrailingSeparator(outer)) && inner != outer;
}

}  // namespace

OutputCheck CheckOutputFolder(FileSystem& fs, const std::string& input,
                              const std::string& output) {
  const std::string in = fs.ResolvePath(input);
  const std::string out = fs.ResolvePath(output);
  OutputCheck check{WithTrailingSeparator(out), ""};
  const std::string named = "The output folder " + output;
  std::string shown = input;
  while (shown.size() > 1 && shown.back() == kPathSeparator) shown.pop_back();
  if (out == in) {
    check.problem = named + " is the input folder " + shown +
                    ".  Please choose a folder of its own for the gallery.";
  } else if (Below(out, in)) {
    check.problem = named + " is inside the input folder " + shown +
                    ".  Please choose a folder outside it.";
  } else if (Below(in, out)) {
    check.problem = named + " holds the input folder " + shown +
                    ".  Please choose a folder outside it.";
  } else if (fs.Status(out).is_file) {
    check.problem = named + " is a file, not a folder.";
  }
  return check;
}

}  // namespace orvanta
