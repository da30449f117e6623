#ifndef VANTREL_STANDIN_MODULE_CALLS_H_
#define VANTREL_STANDIN_MODULE_CALLS_H_

#include "orbiter_api.h"

namespace standin {

// How the host calls the module objects that plug-ins registered: the
// callbacks it uses and the virtual destructor. A virtual call only works
// when made by code of the plug-in's C++ ABI, so a host program whose
// plug-ins are built for another ABI than the stand-in (the
// Microsoft-ABI orbiter.exe, src/msabi_host/) installs calls made by its
// own code. Plain function pointers, so that they can cross a C interface.
struct ModuleCalls {
  void (*simulation_start)(oapi::Module* module);
  void (*post_step)(oapi::Module* module, double simt, double simdt,
                    double mjd);
  void (*new_vessel)(oapi::Module* module, OBJHANDLE vessel);
  void (*simulation_end)(oapi::Module* module);
  void (*destroy)(oapi::Module* module);
};

// Calls that call the object directly. Defined here, so that each host
// program compiles them in its own C++ ABI: the stand-in's are its default,
// the Microsoft-ABI orbiter.exe installs its own.
inline constexpr ModuleCalls kDirectModuleCalls = {
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
    // With the Microsoft ABI, the scalar deleting destructor: it destroys the
    // object and gives its memory back to the plug-in's heap.
    [](oapi::Module* module) { delete module; },
};

// Tells the current host, if there is one, that the base part of the module
// object `module` is being destroyed (PluginHost::ModuleDestroyed). Called
// by the module base class's destructor; each host program defines it.
void NoteModuleDestroyed(const oapi::Module* module);

// The calls in use: those installed last, or else kDirectModuleCalls.
const ModuleCalls& CurrentModuleCalls();
void InstallModuleCalls(const ModuleCalls& calls);

}  // namespace standin

#endif  // VANTREL_STANDIN_MODULE_CALLS_H_
