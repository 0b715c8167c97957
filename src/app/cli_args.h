// The command line of orvanta-cli:
//   orvanta-cli [--program-folder DIR] [--style classic|modern]
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
  std::string input_folder;           // empty: from info.ini or defaults
  bool has_input_folder = false;
};

// Parses argv[1..]. Throws Error with the reason on a usage error.
CliArgs ParseCliArgs(const std::vector<std::string>& args);

// The usage text printed by --help.
std::string CliUsage();

}  // namespace orvanta

#endif  // ORVANTA_APP_CLI_ARGS_H_
