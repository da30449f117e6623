// On Windows the system loader calls DllMain itself.
//
// GetProcAddress is declared here as KERNEL32 exports it, instead of through
// <windows.h>, which not every build of the plug-in has (the build without
// a C++ runtime uses the C headers alone).
#include <cstdint>

#include "module/library_entry.h"

// KERNEL32's FARPROC.
using ExportAddress = std::intptr_t(VANTREL_WINAPI*)();
extern "C" __declspec(dllimport) ExportAddress VANTREL_WINAPI
    GetProcAddress(HINSTANCE hModule, const char* name);

LibraryFunction FindLibraryExport(HINSTANCE hDLL, const char* name) {
  return reinterpret_cast<LibraryFunction>(GetProcAddress(hDLL, name));
}
