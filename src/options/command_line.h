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

// What the arguments ask the desktop program to do, decided before any
// window or display is needed.
enum class DesktopStart {
  kWindow,  // start as usual
  kUsage,   // print the usage on standard output, exit 0
};

// Reads argv[1..] as Linux programs do: --help or -h asks for the usage; an
// argument starting with "-" is otherwise a usage error (Error thrown with
// the reason) unless it is one of Qt's standard options (-style NAME,
// -platform NAME, -session ID, -reverse...; also with two dashes), which
// Qt takes, with its value. Other words, the Windows-style /? switches
// among them, are left for CountHelpRequests; "--" ends the options.
DesktopStart ReadDesktopArguments(int argc, char** argv);

// The usage text.
std::string DesktopUsage();

// Joins argv[1..] with blanks into the command line text.
std::string CommandLineText(int argc, char** argv);

}  // namespace orvanta

#endif  // ORVANTA_OPTIONS_COMMAND_LINE_H_
