// Running helper programs (the external converter, ffmpeg) as child
// processes with a time limit, and splitting the converter's command line
// the way the Windows rules split it.
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

// How a program run by RunProgram went.
struct ProgramRun {
  enum class Outcome { kEnded, kNotStarted, kTimedOut };
  Outcome outcome = Outcome::kNotStarted;
  int start_error = 0;   // kNotStarted: the system's reason (ENOENT...)
  int exit_status = -1;  // kEnded: the exit status, -1 when killed by a signal
  std::string output;    // its standard output and error, the last 64 KiB
};

// Runs `args` (the program, then its arguments, each passed as it is: no
// shell, no splitting) as RunProgramAndWait does, but with its standard
// output and error collected instead of discarded.
ProgramRun RunProgram(const std::vector<std::string>& args,
                      int32_t limit_seconds);

}  // namespace orvanta

#endif  // ORVANTA_IMAGETOOLS_PROCESS_RUNNER_H_
