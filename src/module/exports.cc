#include <cstdint>

#include "library_entry.h"
#include "orbiter_api.h"
#include "vantrel.h"

namespace {

// The result of GetModuleVersion; 0 until the host's Date2Int has given a
// non-zero value.
std::int32_t versionCache = 0;

char versionDate[] = "Aug 28 2016";
char moduleDate[] = "Jan 19 2019";

}  // namespace

void InitModule(HINSTANCE hDLL) { oapiRegisterModule(new Vantrel(hDLL)); }

void ExitModule(HINSTANCE) {}

void opcLoadState(FILEHANDLE) {}

void opcSaveState(FILEHANDLE) {}

int GetModuleVersion() {
  if (versionCache == 0) versionCache = Date2Int(versionDate);
  return versionCache;
}

char* ModuleDate() { return moduleDate; }
