// The desktop program's command line: it has no options but a help switch
// (/? shows a message box; --help prints the usage).
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

// Whether the command line asks for the usage text as Linux programs do
// (--help or -h among the arguments), and that text.
bool AsksForUsage(int argc, char** argv);
std::string DesktopUsage();

// Joins argv[1..] with blanks into the command line text.
std::string CommandLineText(int argc, char** argv);

}  // namespace orvanta

#endif  // ORVANTA_OPTIONS_COMMAND_LINE_H_
