#include "module_calls.h"

namespace standin {
namespace {

ModuleCalls installed = {
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
    [](oapi::Module* module) { delete module; },
};

}  // namespace

const ModuleCalls& CurrentModuleCalls() { return installed; }

void InstallModuleCalls(const ModuleCalls& calls) { installed = calls; }

}  // namespace standin
