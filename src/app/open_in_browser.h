// Opening a page in the desktop's browser from the command line, through
// the desktop's own opener (xdg-open).
#ifndef ORVANTA_APP_OPEN_IN_BROWSER_H_
#define ORVANTA_APP_OPEN_IN_BROWSER_H_

#include <string>

namespace orvanta {

// Starts the opener for `address` in a session of its own and waits for it
// a few seconds: one that fails at once is reported; one still going then
// (a browser it waits for) is left running. Returns "" when it started
// well, else why not ("xdg-open: No such file or directory", "xdg-open
// ended with status 3").
std::string OpenInBrowser(const std::string& address);

}  // namespace orvanta

#endif  // ORVANTA_APP_OPEN_IN_BROWSER_H_
