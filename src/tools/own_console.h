#ifndef VANTREL_TOOLS_OWN_CONSOLE_H_
#define VANTREL_TOOLS_OWN_CONSOLE_H_

namespace tools {

// True when the program is the only process on its console: on Windows,
// started by a double-click in Explorer, in a window that closes as soon
// as it ends. False everywhere else, and when started from a command
// prompt.
bool HasItsOwnConsole();

// While it lives, the console the program writes to shows text in the
// system's ANSI code page, in which the commands write names and paths (a
// console starts in the older OEM code page, where "å" shows as "Õ"); the
// console's own code page comes back when it goes. Nothing happens
// elsewhere, or without a console.
class ConsoleInCodePage {
 public:
  ConsoleInCodePage();
  ~ConsoleInCodePage();
  ConsoleInCodePage(const ConsoleInCodePage&) = delete;
  ConsoleInCodePage& operator=(const ConsoleInCodePage&) = delete;

 private:
  // The console's code page to restore, 0 for none; unused outside
  // Windows, where consoles have no code page.
  [[maybe_unused]] unsigned int restore_ = 0;
};

}  // namespace tools

#endif  // VANTREL_TOOLS_OWN_CONSOLE_H_
