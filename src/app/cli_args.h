// The command line of orvanta-cli:
//   orvanta-cli [--program-folder DIR] [--style classic|modern]
//               [--output DIR] [--prune] [--dry-run]
//               [--set KEY=VALUE]... [--quiet] [--open] [INPUT_FOLDER]
//   orvanta-cli --help | --version
#ifndef ORVANTA_APP_CLI_ARGS_H_
#define ORVANTA_APP_CLI_ARGS_H_

#include <optional>
#include <string>
#include <vector>

namespace orvanta {

struct CliArgs {
  bool help = false;
  bool version = false;
  bool quiet = false;
  bool open = false;  // open the gallery in the browser when it is made
  std::string program_folder;         // empty: the executable's folder
  std::string style;                  // "classic", "modern" or empty
  std::vector<std::string> settings;  // KEY=VALUE, in order
  std::string output_folder;          // --output: for this run
  bool has_output_folder = false;
  bool prune = false;        // remove stale files in place, this run
  bool dry_run = false;      // list what would be written and removed
  std::string input_folder;  // empty: from info.ini or defaults
  bool has_input_folder = false;
};

// Parses argv[1..]. Throws Error with the reason on a usage error.
CliArgs ParseCliArgs(const std::vector<std::string>& args);

// The usage text printed on a usage error.
std::string CliUsage();

// What --help prints: the usage, then every option the option table knows
// as --set KEY=VALUE shows it, with the values it takes and its default.
std::string CliHelp();

}  // namespace orvanta

#endif  // ORVANTA_APP_CLI_ARGS_H_
