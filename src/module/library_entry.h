#ifndef VANTREL_MODULE_LIBRARY_ENTRY_H_
#define VANTREL_MODULE_LIBRARY_ENTRY_H_

#include "orbiter_api.h"

#if defined(_WIN32)
#define VANTREL_WINAPI __stdcall
#else
#define VANTREL_WINAPI
#endif

// Reasons the loader passes to the library entry.
constexpr DWORD kProcessDetach = 0;
constexpr DWORD kProcessAttach = 1;

// The exports the plug-in gives the host, under undecorated names.
#if defined(_WIN32)
#define VANTREL_EXPORT extern "C" __declspec(dllexport)
#else
#define VANTREL_EXPORT extern "C" __attribute__((visibility("default")))
#endif

VANTREL_EXPORT void InitModule(HINSTANCE hDLL);
VANTREL_EXPORT void ExitModule(HINSTANCE hDLL);
VANTREL_EXPORT void opcLoadState(FILEHANDLE scenario);
VANTREL_EXPORT void opcSaveState(FILEHANDLE scenario);
VANTREL_EXPORT int GetModuleVersion();
VANTREL_EXPORT char* ModuleDate();

// The library entry, called by the system loader: on attach it runs the
// host's per-library set-up and finds the library's own ExitModule; on
// detach it calls that. Always returns TRUE.
extern "C" BOOL VANTREL_WINAPI DllMain(HINSTANCE hDLL, DWORD reason,
                                       void* reserved);

// The address of the export `name` of the library `hDLL`, or null.
// Implemented once per platform loader.
using LibraryFunction = void (*)();
LibraryFunction FindLibraryExport(HINSTANCE hDLL, const char* name);

#endif  // VANTREL_MODULE_LIBRARY_ENTRY_H_
