// The command line: no options, only a help switch that shows a message
// saying so.
#include "options/command_line.h"

#include <array>
#include <exception>

#include "common/text_utils.h"

namespace orvanta {

namespace {

constexpr int kLastSlot = 20;

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

// On an unexpected failure shows the error message and returns; start-up
// goes on either way.
void ParseCommandLine(std::string_view command_line, Prompter& prompter) {
  try {
    int requests = CountHelpRequests(command_line);
    for (int i = 0; i < requests; ++i) prompter.ShowMessage(HelpMessage());
  } catch (const std::exception& error) {
    MessageBox box;
    box.title = "Error";
    box.text = std::string("An error has occured in sub ParseCommandLine: ") +
               error.what();
    box.buttons = Buttons::kOk;
    box.icon = Icon::kWarning;
    prompter.ShowMessage(box);
  }
}

bool AsksForUsage(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") return true;
  }
  return false;
}

std::string DesktopUsage() {
  return "Usage: orvanta [--help]\n"
         "\n"
         "Makes an HTML photo gallery of a folder tree of pictures and movie\n"
         "clips in a window: pick the folder and the options, then press\n"
         "\"Create Orvanta\". There are no command-line options; /? says so\n"
         "in a message box. For galleries without a window, see\n"
         "orvanta-cli --help.\n";
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
