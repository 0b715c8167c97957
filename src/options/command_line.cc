// The command line: no options, only a help switch that shows a message
// saying so; on Linux --help, and a usage error for an unknown option.
#include "options/command_line.h"

#include <array>
#include <exception>

#include "common/error.h"
#include "common/text_utils.h"

namespace orvanta {

namespace {

constexpr int kLastSlot = 20;

// Qt's standard options (QGuiApplication, QApplication and the X11
// platform): a flag, an option whose value is the next argument, or one
// that also takes it after "=".
enum class QtValue { kNone, kNext, kNextOrEquals };
struct QtOption {
  std::string_view name;
  QtValue value;
};
constexpr QtOption kQtOptions[] = {
    {"-platform", QtValue::kNext},
    {"-platformpluginpath", QtValue::kNext},
    {"-platformtheme", QtValue::kNext},
    {"-plugin", QtValue::kNext},
    {"-qwindowgeometry", QtValue::kNext},
    {"-qwindowicon", QtValue::kNext},
    {"-qwindowtitle", QtValue::kNext},
    {"-session", QtValue::kNext},
    {"-display", QtValue::kNext},
    {"-geometry", QtValue::kNext},
    {"-title", QtValue::kNext},
    {"-icon", QtValue::kNext},
    {"-name", QtValue::kNext},
    {"-visual", QtValue::kNext},
    {"-style", QtValue::kNextOrEquals},
    {"-stylesheet", QtValue::kNextOrEquals},
    {"-reverse", QtValue::kNone},
    {"-widgetcount", QtValue::kNone},
    {"-nograb", QtValue::kNone},
    {"-dograb", QtValue::kNone},
};

// How many arguments the Qt option at argv[i] takes with its value. Throws
// Error when it is no Qt option or its value is missing.
int QtOptionLength(int argc, char** argv, int i) {
  std::string_view arg = argv[i];
  if (arg.substr(0, 2) == "--") arg.remove_prefix(1);
  for (const QtOption& option : kQtOptions) {
    if (arg == option.name) {
      if (option.value == QtValue::kNone) return 1;
      if (i + 1 < argc) return 2;
      throw Error("option " + std::string(argv[i]) + " needs a value");
    }
    if (option.value == QtValue::kNextOrEquals &&
        arg.starts_with(option.name) && arg.size() > option.name.size() &&
        arg[option.name.size()] == '=') {
      return 1;
    }
  }
  throw Error("unknown option " + std::string(argv[i]));
}

}  // namespace

// The text is cut at "/" into slots 0..20; slot 0 (before the first "/")
// is ignored and a "/" past the twentieth ends the walk.
int CountHelpRequests(std::string_view command_line) {
  if (command_line.empty()) return 0;
  std::array<std::string, kLastSlot + 1> slots;
  int slot = 0;
  for (char c : command_line) {
    if (c != '/') {
      slots[slot] += c;
    } else if (slot == kLastSlot) {
      break;
    } else {
      ++slot;
    }
  }
  int requests = 0;
  for (int i = 1; i <= slot; ++i) {
    std::string text = TrimBlanks(ToUpperAscii(slots[i]));
    if (!text.empty() && (text[0] == '/' || text[0] == '-')) text.erase(0, 1);
    if (!text.empty() && (text[0] == '?' || text[0] == 'H')) ++requests;
  }
  return requests;
}

MessageBox HelpMessage() {
  MessageBox box;
  box.title = kAppTitle;
  box.text =
      "This program is used to create an Orvanta.  There are no command line "
      "options.";
  box.buttons = Buttons::kOk;
  box.icon = Icon::kInformation;
  return box;
}

DesktopStart ReadDesktopArguments(int argc, char** argv) {
  bool usage = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--") break;
    if (arg.size() < 2 || arg[0] != '-') continue;
    if (arg == "--help" || arg == "-h") {
      usage = true;
      continue;
    }
    i += QtOptionLength(argc, argv, i) - 1;
  }
  return usage ? DesktopStart::kUsage : DesktopStart::kWindow;
}

std::string DesktopUsage() {
  return "Usage: orvanta [--help] [QT_OPTION]...\n"
         "\n"
         "Makes an HTML photo gallery of a folder tree of pictures and movie\n"
         "clips in a window: pick the folder and the options, then press\n"
         "\"Create Orvanta\". There are no command-line options; /? says so\n"
         "in a message box. Qt's standard options (-style NAME,\n"
         "-platform NAME, -reverse...) are passed on to Qt. For galleries\n"
         "without a window, see orvanta-cli --help; more in man orvanta.\n"
         "\n"
         "Exit status: 2 for an unknown option.\n";
}

std::string CommandLineText(int argc, char** argv) {
  std::string text;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) text += ' ';
    text += argv[i];
  }
  return text;
}

}  // namespace orvanta
