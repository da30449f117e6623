#include "own_console.h"

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

}  // namespace tools
