// Running helper programs (the external converter, ffmpeg) as child
// processes: from an argument vector (no shell, nothing split), with a time
// limit, their output collected, and nothing left running afterwards.
#ifndef ORVANTA_IMAGETOOLS_PROCESS_RUNNER_H_
#define ORVANTA_IMAGETOOLS_PROCESS_RUNNER_H_

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orvanta {

// How a program run by RunProgram went.
struct ProgramRun {
  enum class Outcome { kEnded, kNotStarted, kTimedOut, kStopped };
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

// How a long run is watched (a movie's web copy).
struct ProgramWatch {
  // Called on the calling thread with each piece of the program's output
  // as it comes, and at least every 100 ms (with none); when it returns
  // false the program is killed at once with its process group (SIGKILL)
  // and the run is kStopped.
  std::function<bool(std::string_view output)> on_output;
  int niceness = 0;  // added to the program's niceness: it yields the cores
};
ProgramRun RunProgram(const std::vector<std::string>& args,
                      int32_t limit_seconds, const ProgramWatch& watch);

// Kills every program RunProgram runs at this moment, with its process
// group. Async-signal-safe: for a handler that ends the process at once.
void KillRunningPrograms();

}  // namespace orvanta

#endif  // ORVANTA_IMAGETOOLS_PROCESS_RUNNER_H_
