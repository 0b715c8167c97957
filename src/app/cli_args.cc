// Parsing orvanta-cli's command line; its usage, and the help that lists
// every option key from the option table.
#include "app/cli_args.h"

#include <sstream>

#include "common/conversions.h"
#include "common/error.h"
#include "engine/styles/page_style.h"
#include "options/option_table.h"

namespace orvanta {
namespace {

// The value of option `name` at args[*i]: "NAME=VALUE" or "NAME VALUE"
// (then *i moves on). Nothing when args[*i] is another option.
std::optional<std::string> OptionValue(const std::vector<std::string>& args,
                                       size_t* i, const std::string& name) {
  const std::string& arg = args[*i];
  if (arg.starts_with(name + "=")) return arg.substr(name.size() + 1);
  if (arg != name) return std::nullopt;
  if (*i + 1 >= args.size()) throw Error(name + " needs a value");
  return args[++*i];
}

void AddInputFolder(const std::string& folder, CliArgs* out) {
  if (out->has_input_folder) {
    throw Error("only one input folder may be given");
  }
  out->input_folder = folder;
  out->has_input_folder = true;
}

}  // namespace

CliArgs ParseCliArgs(const std::vector<std::string>& args) {
  CliArgs out;
  bool only_positional = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (only_positional || arg.empty() || arg[0] != '-' || arg == "-") {
      AddInputFolder(arg, &out);
    } else if (arg == "--") {
      only_positional = true;
    } else if (arg == "--help" || arg == "-h") {
      out.help = true;
    } else if (arg == "--version") {
      out.version = true;
    } else if (arg == "--quiet" || arg == "-q") {
      out.quiet = true;
    } else if (arg == "--prune") {
      out.prune = true;
    } else if (arg == "--dry-run" || arg == "-n") {
      out.dry_run = true;
    } else if (auto folder = OptionValue(args, &i, "--output")) {
      out.output_folder = *folder;
      out.has_output_folder = true;
    } else if (arg == "--open") {
      out.open = true;
    } else if (auto folder = OptionValue(args, &i, "--program-folder")) {
      out.program_folder = *folder;
    } else if (auto style = OptionValue(args, &i, "--style")) {
      out.style = *style;
    } else if (auto setting = OptionValue(args, &i, "--set")) {
      if (setting->find('=') == std::string::npos) {
        throw Error("--set takes KEY=VALUE, not \"" + *setting + "\"");
      }
      out.settings.push_back(*setting);
    } else {
      throw Error("unknown option " + arg);
    }
  }
  return out;
}

namespace {

// The synopsis and the options.
const char* UsageOptions() {
  return "Usage: orvanta-cli [--program-folder DIR] [--style classic|modern]\n"
         "                   [--output DIR] [--prune] [--dry-run]\n"
         "                   [--set KEY=VALUE]... [--quiet] [--open]\n"
         "                   [INPUT_FOLDER]\n"
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
         "  --style STYLE         the pages' style for this run: classic (the\n"
         "                        default) or modern (for phones: modern\n"
         "                        templates, 300 px thumbnails, web-size\n"
         "                        copies for 1920x1080 screens and half\n"
         "                        their size, clips that play)\n"
         "  --output DIR          write the gallery to DIR, not beside the\n"
         "                        pictures: INPUT_FOLDER is only read, and\n"
         "                        the pictures and movies are published into\n"
         "                        DIR without their GPS position and serial\n"
         "                        numbers (unless RemoveLocation=False). "
         "Files\n"
         "                        this program wrote there that the gallery\n"
         "                        no longer has are removed. Upload DIR.\n"
         "  --prune               in place, remove the files this program\n"
         "                        wrote that the gallery no longer has "
         "(pages,\n"
         "                        thumbnails, copies of pictures now gone); a\n"
         "                        file changed since is kept\n"
         "  -n, --dry-run         list the files the run would write (write\n"
         "                        REL) and remove (remove REL), then the\n"
         "                        summary; write nothing at all\n"
         "  --set KEY=VALUE       set one option as an info.ini line would,\n"
         "                        e.g. --set ThumbnailsPerRow=6\n"
         "                        --set ThumbnailCreateMode=2\n"
         "                        --set PictureFilesToMatch=jpg,png (replaces\n"
         "                        the list)\n"
         "                        --set CreateWebVideos=True makes an MP4\n"
         "                        copy (H.264, AAC) of every movie browsers\n"
         "                        cannot play, fitted to the target screen\n"
         "                        size; the pages play it (needs ffmpeg)\n"
         "                        --set GalleryAddress=https://example.org/a/\n"
         "                        (link previews, feed.atom and sitemap.xml)\n"
         "  --quiet               no progress bar\n"
         "  --open                open the gallery in the desktop's browser\n"
         "                        once it is made\n"
         "  INPUT_FOLDER          default: SourceDirectory of info.ini\n";
}

// What the usage says of questions, the last line and the exit status.
const char* UsageNotes() {
  return "\n"
         "Questions are asked on standard error and answered on standard\n"
         "input (y/yes, n/no, c/cancel; an empty line or the end of input\n"
         "takes the preselected answer). Ctrl+C aborts the run; a second\n"
         "Ctrl+C ends the program at once.\n"
         "\n"
         "Once the gallery is made, the last line on standard output names\n"
         "its root page as a file:// address.\n"
         "\n"
         "Exit status: 0 gallery created, 3 run abandoned, 1 stopped at a\n"
         "check or by an error, 2 usage error.\n";
}

// The values --set takes for the option of `row`.
std::string ValueForm(const OptionRow& row) {
  switch (row.rule) {
    case OptionRule::kFolder:
      return "DIR";
    case OptionRule::kProgram:
      return "PROGRAM";
    case OptionRule::kFileName:
      return "FILE";
    case OptionRule::kFilePrefix:
      return "PREFIX";
    case OptionRule::kExtension:
      return "EXT";
    case OptionRule::kExtensionList:
      return "EXT,EXT,...";
    case OptionRule::kTrueFalse:
      return "True|False";
    case OptionRule::kNumber:
    case OptionRule::kListIndex:
      return std::to_string(row.minimum) + ".." + std::to_string(row.maximum);
    case OptionRule::kStyleName: {
      std::string names;
      for (const PageStyle& style : PageStyles()) {
        names += (names.empty() ? "" : "|") + std::string(style.name);
      }
      return names;
    }
    case OptionRule::kWebAddress:
      return "https://HOST/PATH/";
  }
  return "TEXT";
}

// The default of the option of `row` as info.ini would hold it.
std::string DefaultForm(const OptionRow& row) {
  OptionControls defaults;
  PutDefault(row, &defaults);
  if (row.text != nullptr) return defaults.*row.text;
  if (row.rule == OptionRule::kTrueFalse) {
    return CheckboxToBoolean(defaults.*row.value) ? "True" : "False";
  }
  return std::to_string(defaults.*row.value);
}

// `text` in lines of at most 72 characters, broken at blanks.
std::string Wrapped(const std::string& text) {
  std::istringstream words(text);
  std::string out, line, word;
  while (words >> word) {
    if (!line.empty() && line.size() + 1 + word.size() > 72) {
      out += line + "\n";
      line.clear();
    }
    line += (line.empty() ? "" : " ") + word;
  }
  return out + line + "\n";
}

// Every option of the table, one a line: KEY=VALUES and its default.
std::string SetKeys() {
  std::string screens;
  for (int i = 0; i < kTargetScreenCount; ++i) {
    screens += (i == 0 ? "" : ", ") + TargetScreenName(i);
  }
  std::ostringstream out;
  out << "\n"
      << Wrapped(
             "The keys of --set KEY=VALUE and info.ini, with the values they "
             "take and their defaults; man orvanta-cli says what each does. "
             "True|False also takes 1|0. ThumbnailCreateMode: 0 makes none, "
             "1 the missing ones, 2 all again. TargetResolutionIndex counts "
             "from 0 in " +
             screens +
             ". PicturesPerPage 0 puts a folder's pictures on one page.");
  for (const OptionRow& row : OptionTable()) {
    const std::string key = std::string(row.key) + "=" + ValueForm(row);
    const std::string fallback = DefaultForm(row);
    out << "  " << key;
    if (!fallback.empty()) {
      out << std::string(key.size() < 39 ? 39 - key.size() : 1, ' ')
          << "default " << fallback;
    }
    out << "\n";
  }
  return out.str();
}

}  // namespace

std::string CliUsage() { return std::string(UsageOptions()) + UsageNotes(); }

std::string CliHelp() { return CliUsage() + SetKeys(); }

}  // namespace orvanta
