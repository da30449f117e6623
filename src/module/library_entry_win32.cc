// On Windows the system loader calls DllMain itself.
#include <windows.h>

#include "library_entry.h"

LibraryFunction FindLibraryExport(HINSTANCE hDLL, const char* name) {
  return reinterpret_cast<LibraryFunction>(
      reinterpret_cast<void (*)()>(GetProcAddress(hDLL, name)));
}
