// Running the external converter: splitting its command line the way the
// Windows rules split it, and running it as a child process with a time
// limit.
#ifndef ORVANTA_IMAGETOOLS_PROCESS_RUNNER_H_
#define ORVANTA_IMAGETOOLS_PROCESS_RUNNER_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvanta {

// Splits a command line into arguments by the rules of the Windows C
// runtime: blanks and tabs separate, double quotes group, backslashes are
// literal except before a double quote.
std::vector<std::string> SplitCommandLine(std::string_view command_line);

// The converter's command line: "program" "source" /resample=(N,N)
// /aspectratio /convert="thumbnail". A double quote inside a path, and
// backslashes before it or at the end of a path, are escaped by the same
// rules, so SplitCommandLine always gives the paths back unchanged.
std::string BuildConverterCommandLine(const std::string& program,
                                      const std::string& source,
                                      const std::string& thumbnail, int size);

// Starts the program that the command line's first argument names, with
// the caller's environment and folder, its output discarded, and waits for
// it up to `limit_seconds` (no limit when it is 0 or less). Returns true
// when the program started and ended within 95 % of the limit (with no
// limit: when it started), whatever its exit status. Returns false when it
// could not be started or took longer. A program still running at the limit
// is terminated and reaped with its process group: no process is left
// behind. Safe to call from several threads at once.
bool RunProgramAndWait(const std::string& command_line, int32_t limit_seconds);

}  // namespace orvanta

#endif  // ORVANTA_IMAGETOOLS_PROCESS_RUNNER_H_
