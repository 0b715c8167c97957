// The desktop program's command line: it has no options but a help switch
// (/? shows a message box; --help prints the usage); any other option is a
// usage error, but Qt's standard options are left to Qt.
#ifndef ORVANTA_OPTIONS_COMMAND_LINE_H_
#define ORVANTA_OPTIONS_COMMAND_LINE_H_

#include <string>
#include <string_view>

#include "common/prompter.h"

namespace orvanta {

// How many times the help message must be shown for this command line
// text (the text after the program's name): once per "/" switch whose
// text, upper-cased and trimmed, less one leading "/" or "-", starts with
// "?" or "H"; at most 20 switches are examined.
int CountHelpRequests(std::string_view command_line);

// The help message box.
MessageBox HelpMessage();

// Shows the help message as often as the command line asks for it.
void ParseCommandLine(std::string_view command_line, Prompter& prompter);

// What the arguments ask the desktop program to do, decided before any
// window or display is needed.
enum class DesktopStart {
  kWindow,     // start as usual
  kUsage,      // print the usage on standard output, exit 0
  kUsageError  // print the error and the usage on standard error, exit 2
};

// Reads argv[1..] as Linux programs do: --help or -h asks for the usage; an
// argument starting with "-" is otherwise a usage error (told in `error`)
// unless it is one of Qt's standard options (-style NAME, -platform NAME,
// -session ID, -reverse...; also with two dashes), which Qt takes, with
// its value. Other words, the Windows-style /? switches among them, are
// left for ParseCommandLine; "--" ends the options.
DesktopStart ReadDesktopArguments(int argc, char** argv, std::string* error);

// The usage text.
std::string DesktopUsage();

// Joins argv[1..] with blanks into the command line text.
std::string CommandLineText(int argc, char** argv);

}  // namespace orvanta

#endif  // ORVANTA_OPTIONS_COMMAND_LINE_H_
