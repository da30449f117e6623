#include "module/library_entry.h"

#include "orbiter_api.h"

namespace {

// The library's own ExitModule, found when the library is attached.
using ExitHook = void (*)(HINSTANCE);
ExitHook exitHook = nullptr;

}  // namespace

BOOL VANTREL_WINAPI DllMain(HINSTANCE hDLL, DWORD reason, void*) {
  if (reason == kProcessAttach) {
    InitLib(hDLL);
    exitHook =
        reinterpret_cast<ExitHook>(FindLibraryExport(hDLL, "ExitModule"));
  } else if (reason == kProcessDetach) {
    if (exitHook != nullptr) exitHook(hDLL);
  }
  return 1;
}
