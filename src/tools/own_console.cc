#include "tools/own_console.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace tools {

bool HasItsOwnConsole() {
#if defined(_WIN32)
  // A command prompt shares its console with the programs it starts.
  DWORD processes[2];
  return GetConsoleProcessList(processes, 2) == 1;
#else
  return false;
#endif
}

ConsoleInCodePage::ConsoleInCodePage() {
#if defined(_WIN32)
  const UINT console = GetConsoleOutputCP();  // 0 without a console
  if (console != 0 && console != GetACP() && SetConsoleOutputCP(GetACP())) {
    restore_ = console;
  }
#endif
}

ConsoleInCodePage::~ConsoleInCodePage() {
#if defined(_WIN32)
  if (restore_ != 0) SetConsoleOutputCP(restore_);
#endif
}

}  // namespace tools
