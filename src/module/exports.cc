#include <cstdint>

#include "module/library_entry.h"
#include "module/module_registration.h"
#include "module/vantrel.h"
#include "orbiter_api.h"

namespace {

// The result of GetModuleVersion; 0 until the host's Date2Int has given a
// non-zero value.
std::int32_t versionCache = 0;

char versionDate[] = "Aug 28 2016";
char moduleDate[] = "Jan 19 2019";

}  // namespace

void InitModule(HINSTANCE hDLL) {
  Vantrel* module = new Vantrel(hDLL);
  oapiRegisterModule(module);
  RememberRegisteredModule(module);
}

// Deletes the module object unless the host has done so already: the
// current edition never deletes a module object that a plug-in registered.
void ExitModule(HINSTANCE) { delete TakeRegisteredModule(); }

void opcLoadState(FILEHANDLE) {}

void opcSaveState(FILEHANDLE) {}

int GetModuleVersion() {
  if (versionCache == 0) versionCache = Date2Int(versionDate);
  return versionCache;
}

char* ModuleDate() { return moduleDate; }
