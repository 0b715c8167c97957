// Parsing orvanta-cli's command line.
#include "app/cli_args.h"

namespace orvanta {

bool ParseCliArgs(const std::vector<std::string>& args, CliArgs* out,
                  std::string* error) {
  bool only_positional = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value_of = [&](const std::string& option, std::string* value) {
      if (arg.rfind(option + "=", 0) == 0) {
        *value = arg.substr(option.size() + 1);
        return true;
      }
      if (arg != option) return false;
      if (i + 1 >= args.size()) {
        *error = option + " needs a value";
        return false;
      }
      *value = args[++i];
      return true;
    };
    std::string value;
    if (only_positional || arg.empty() || arg[0] != '-' || arg == "-") {
      if (out->has_input_folder) {
        *error = "only one input folder may be given";
        return false;
      }
      out->input_folder = arg;
      out->has_input_folder = true;
    } else if (arg == "--") {
      only_positional = true;
    } else if (arg == "--help" || arg == "-h") {
      out->help = true;
    } else if (arg == "--version") {
      out->version = true;
    } else if (arg == "--quiet" || arg == "-q") {
      out->quiet = true;
    } else if (arg.rfind("--program-folder", 0) == 0) {
      if (!value_of("--program-folder", &value)) {
        if (error->empty()) *error = "unknown option " + arg;
        return false;
      }
      out->program_folder = value;
    } else if (arg.rfind("--set", 0) == 0) {
      if (!value_of("--set", &value)) {
        if (error->empty()) *error = "unknown option " + arg;
        return false;
      }
      if (value.find('=') == std::string::npos) {
        *error = "--set takes KEY=VALUE, not \"" + value + "\"";
        return false;
      }
      out->settings.push_back(value);
    } else {
      *error = "unknown option " + arg;
      return false;
    }
  }
  return true;
}

std::string CliUsage() {
  return "Usage: orvanta-cli [--program-folder DIR] [--set KEY=VALUE]... "
         "[--quiet] [INPUT_FOLDER]\n"
         "       orvanta-cli --help | --version\n"
         "\n"
         "Makes an HTML photo gallery of INPUT_FOLDER and its subfolders:\n"
         "an index.html per folder, a page per picture or movie, thumbnails\n"
         "and NavFunctions.js.\n"
         "\n"
         "  --program-folder DIR  folder of info.ini and the page templates\n"
         "                        (default: beside this program; installed,\n"
         "                        $XDG_CONFIG_HOME/orvanta or\n"
         "                        ~/.config/orvanta)\n"
         "  --set KEY=VALUE       set one option as an info.ini line would,\n"
         "                        e.g. --set ThumbnailsPerRow=6\n"
         "                        --set ThumbnailCreateMode=2\n"
         "                        --set PictureFilesToMatch=jpg,png (replaces\n"
         "                        the list)\n"
         "  --quiet               no progress bar\n"
         "  INPUT_FOLDER          default: SourceDirectory of info.ini\n"
         "\n"
         "Questions are asked on standard error and answered on standard\n"
         "input (y/yes, n/no, c/cancel; an empty line or the end of input\n"
         "takes the preselected answer). Ctrl+C aborts the run; a second\n"
         "Ctrl+C ends the program at once.\n"
         "\n"
         "Exit status: 0 gallery created, 3 run abandoned, 1 stopped at a\n"
         "check or by an error, 2 usage error.\n";
}

}  // namespace orvanta
