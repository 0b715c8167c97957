// Runs orvanta-cli as a child process with its arguments, standard input,
// user, open-file limit and environment, and snapshots folder trees.
#ifndef ORVANTA_TESTING_CLI_RUNNER_H_
#define ORVANTA_TESTING_CLI_RUNNER_H_

#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

namespace orvanta::testing {

struct CliRun {
  std::vector<std::string> args;  // after --program-folder DIR
  std::string program_folder;     // empty: no --program-folder
  std::string input;              // standard input, then end of input
  long open_file_limit = 0;       // 0: as inherited
  std::vector<std::string> env;   // NAME=VALUE added to the environment
  int timeout_seconds = 120;
};

struct CliResult {
  int status = -1;  // exit status; -1 when ended by a signal
  int signal = 0;
  std::string out;
  std::string err;
};

CliResult RunCli(const CliRun& run);

// The test converter (tests/testing/test_converter.sh).
std::string TestConverterPath();

// Every entry below `folder` by relative path: files with their contents,
// folders as "path/" with "", symbolic links as "-> target".
std::map<std::string, std::string> SnapshotTree(const std::string& folder);

// Whether `count` copies of `needle` stand in `haystack`.
int CountOccurrences(const std::string& haystack, const std::string& needle);

}  // namespace orvanta::testing

#endif  // ORVANTA_TESTING_CLI_RUNNER_H_
