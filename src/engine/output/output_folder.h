// The output folder: where a gallery goes when it is not written beside
// its pictures. It may not be the input folder, nor lie inside it or
// around it; both are compared with their links, "." and ".." resolved,
// so that no spelling of a path gets past the check.
#ifndef ORVANTA_ENGINE_OUTPUT_OUTPUT_FOLDER_H_
#define ORVANTA_ENGINE_OUTPUT_OUTPUT_FOLDER_H_

#include <string>

#include "common/file_system.h"

namespace orvanta {

struct OutputCheck {
  std::string folder;   // the output folder resolved, ending in the separator
  std::string problem;  // what keeps it from being used: "" when nothing
};

// Checks the output folder `output` (as given, "~" expanded) against the
// input folder `input`; the problem names both.
OutputCheck CheckOutputFolder(FileSystem& fs, const std::string& input,
                              const std::string& output);

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_OUTPUT_OUTPUT_FOLDER_H_
