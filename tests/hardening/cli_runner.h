// Runs orvanta-cli as a child process for the bad-input tests: arguments,
// standard input (all at once, or an answer given when a text shows up on
// standard error), an optional user to run as and an open-file limit, and
// what came back: exit status, output, errors, peak memory and time.
#ifndef ORVANTA_TESTS_HARDENING_CLI_RUNNER_H_
#define ORVANTA_TESTS_HARDENING_CLI_RUNNER_H_

#include <sys/types.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace orvanta::testing {

struct CliRun {
  std::vector<std::string> args;  // after --program-folder
  std::string program_folder;
  std::string input;  // written to standard input, then closed
  // When set: once standard error holds `wait_for`, `then` runs and
  // `answer` is written to standard input (before `input`).
  std::string wait_for;
  std::function<void()> then;
  std::string answer;
  int run_as_uid = -1;       // -1: as the current user
  long open_file_limit = 0;  // 0: as inherited (soft and hard)
  int timeout_seconds = 120;
};

struct CliResult {
  int status = -1;  // exit status; -1 when killed by a signal
  int signal = 0;
  std::string out;
  std::string err;
  long max_rss_kb = 0;
  double seconds = 0;
  bool timed_out = false;
};

// The orvanta-cli of this build ($ORVANTA_BUILD_DIR/orvanta-cli).
std::string CliPath();
// The test converter ($ORVANTA_BUILD_DIR/tests/orvanta-test-converter).
std::string TestConverterPath();

CliResult RunCli(const CliRun& run);

// Every file below `folder` (path relative to it, symbolic links as
// "-> target") with its contents, to compare a tree before and after.
std::map<std::string, std::string> SnapshotTree(const std::string& folder);

// Ids of running processes whose command line mentions `text`.
std::vector<pid_t> ProcessesMentioning(const std::string& text);

}  // namespace orvanta::testing

#endif  // ORVANTA_TESTS_HARDENING_CLI_RUNNER_H_
