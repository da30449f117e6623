// A library built from the plug-in's library entry with an ExitModule that
// writes to the host log, so that a test can see the entry call it.
#include "module/library_entry.h"
#include "orbiter_api.h"

void ExitModule(HINSTANCE hDLL) {
  oapiWriteLogV("ExitModule called with %p", static_cast<void*>(hDLL));
}
