#ifndef VANTREL_TOOLS_OWN_CONSOLE_H_
#define VANTREL_TOOLS_OWN_CONSOLE_H_

namespace tools {

// True when the program is the only process on its console: on Windows,
// started by a double-click in Explorer, in a window that closes as soon
// as it ends. False everywhere else, and when started from a command
// prompt.
bool HasItsOwnConsole();

}  // namespace tools

#endif  // VANTREL_TOOLS_OWN_CONSOLE_H_
