// The entry of the Microsoft-ABI host program: runs the vantrel command of
// the stand-in, which calls the registered module objects through the calls
// below, made by code of the plug-in's ABI. Nothing here needs a C runtime
// start-up.
#include "host_c_interface.h"
#include "module_calls.h"
#include "orbiter_api.h"

extern "C" __declspec(dllimport) void __stdcall ExitProcess(UINT code);

namespace {

const standin::ModuleCalls kMicrosoftAbiCalls = {
    [](oapi::Module* module) {
      module->clbkSimulationStart(oapi::Module::RENDER_NONE);
    },
    [](oapi::Module* module, double simt, double simdt, double mjd) {
      module->clbkPostStep(simt, simdt, mjd);
    },
    [](oapi::Module* module, OBJHANDLE vessel) {
      module->clbkNewVessel(vessel);
    },
    [](oapi::Module* module) { module->clbkSimulationEnd(); },
    // The module's scalar deleting destructor: it destroys the object and
    // gives its memory back to the plug-in's heap.
    [](oapi::Module* module) { delete module; },
};

}  // namespace

extern "C" void HostEntry() {
  ExitProcess(static_cast<UINT>(VantrelHostMain(&kMicrosoftAbiCalls)));
}
