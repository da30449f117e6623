// The host's module base class: what every module object's base part does.
// Compiled into each host program in the C++ ABI of the plug-ins it loads:
// the stand-in (its own compiler's ABI) and the Microsoft-ABI orbiter.exe.
#include "orbiter_api.h"
#include "standin/host_version.h"
#include "standin/module_calls.h"

oapi::ModuleNV::ModuleNV(HINSTANCE hDLL)
    : version(standin::kHostVersion), hModule(hDLL) {}

oapi::Module::Module(HINSTANCE hDLL) : ModuleNV(hDLL) {}
oapi::Module::~Module() { standin::NoteModuleDestroyed(this); }
void oapi::Module::clbkSimulationStart(RenderMode) {}
void oapi::Module::clbkSimulationEnd() {}
void oapi::Module::clbkPreStep(double, double, double) {}
void oapi::Module::clbkPostStep(double, double, double) {}
void oapi::Module::clbkTimeJump(double, double, double) {}
void oapi::Module::clbkFocusChanged(OBJHANDLE, OBJHANDLE) {}
void oapi::Module::clbkTimeAccChanged(double, double) {}
void oapi::Module::clbkNewVessel(OBJHANDLE) {}
void oapi::Module::clbkDeleteVessel(OBJHANDLE) {}
void oapi::Module::clbkVesselJump(OBJHANDLE) {}
void oapi::Module::clbkPause(bool) {}
bool oapi::Module::clbkProcessMouse(UINT, DWORD, DWORD, DWORD) { return false; }
bool oapi::Module::clbkProcessKeyboardImmediate(char[256], bool) {
  return false;
}
bool oapi::Module::clbkProcessKeyboardBuffered(DWORD, char[256], bool) {
  return false;
}
