// The entry of the Microsoft-ABI host program: runs the vantrel command of
// the stand-in, which calls the registered module objects through the direct
// calls of module_calls.h, compiled here in the plug-in's ABI. Nothing here
// needs a C runtime start-up.
#include "standin/host_c_interface.h"
#include "standin/module_calls.h"

extern "C" __declspec(dllimport) void __stdcall ExitProcess(UINT code);

extern "C" void HostEntry() {
  ExitProcess(static_cast<UINT>(VantrelHostMain(&standin::kDirectModuleCalls)));
}
