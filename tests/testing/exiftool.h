// Metadata written into test pictures by exiftool (Debian
// libimage-exiftool-perl), run as a child process: the tags real cameras
// and photo managers write, in the places they write them.
#ifndef ORVANTA_TESTING_EXIFTOOL_H_
#define ORVANTA_TESTING_EXIFTOOL_H_

#include <string>
#include <vector>

namespace orvanta::testing {

// One exiftool command: its options and tag assignments ("-Model=X",
// "-charset", "exif=latin") and the picture it changes in place.
struct ExiftoolCommand {
  std::string path;
  std::vector<std::string> arguments;
};

// Runs the commands in one exiftool process, one after the other. Throws
// std::runtime_error with exiftool's words when it cannot run or reports
// an error.
void RunExiftool(const std::vector<ExiftoolCommand>& commands);

// Runs `program` with `arguments` (heif-enc...) and returns its output;
// throws std::runtime_error with it when it fails.
std::string RunTool(const std::string& program,
                    const std::vector<std::string>& arguments);

}  // namespace orvanta::testing

#endif  // ORVANTA_TESTING_EXIFTOOL_H_
