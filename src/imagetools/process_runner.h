// Running helper programs (the external converter, ffmpeg) as child
// processes: from an argument vector (no shell, nothing split), with a time
// limit, their output collected, and nothing left running afterwards.
#ifndef ORVANTA_IMAGETOOLS_PROCESS_RUNNER_H_
#define ORVANTA_IMAGETOOLS_PROCESS_RUNNER_H_

#include <cstdint>
#include <string>
#include <vector>

namespace orvanta {

// How a program run by RunProgram went.
struct ProgramRun {
  enum class Outcome { kEnded, kNotStarted, kTimedOut };
  Outcome outcome = Outcome::kNotStarted;
  int start_error = 0;   // kNotStarted: the system's reason (ENOENT...)
  int exit_status = -1;  // kEnded: the exit status, -1 when killed by a signal
  std::string output;    // its standard output and error, the last 64 KiB
};

// Runs `args` (the program, found on the PATH when its name holds no
// separator, then its arguments, each passed as it is) with the caller's
// environment and folder and no standard input, and waits for it up to
// `limit_seconds` (no limit when it is 0 or less). kEnded when it ended
// within 95 % of the limit, whatever its exit status; kTimedOut when it
// took longer. A program still running at the limit is terminated and
// reaped with its process group: no process is left behind. Safe to call
// from several threads at once.
ProgramRun RunProgram(const std::vector<std::string>& args,
                      int32_t limit_seconds);

}  // namespace orvanta

#endif  // ORVANTA_IMAGETOOLS_PROCESS_RUNNER_H_
