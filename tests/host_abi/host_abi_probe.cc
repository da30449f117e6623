// Compiled for the real host's binary interface (32-bit Windows, Microsoft
// C++ ABI) with no headers but our own: every host operation the module
// uses is called here, and a module object is derived and registered as the
// plug-in does it, so that the object file imports exactly what the module
// imports from the host program.
#include "orbiter_api.h"

static_assert(sizeof(TOUCHDOWNVTX) == 56,
              "a touchdown vertex is seven doubles, as the host reads it");
static_assert(sizeof(oapi::Module) == 12,
              "the host's module is its table pointer, version and handle");

namespace {

// A module object overriding nothing: its table refers to every callback of
// the host's base class.
class ProbeModule : public oapi::Module {
 public:
  explicit ProbeModule(HINSTANCE hDLL) : oapi::Module(hDLL) {}
};

}  // namespace

void ProbeHostOperations(HINSTANCE hDLL, OBJHANDLE hObj, char* text,
                         TOUCHDOWNVTX* points, int& number) {
  InitLib(hDLL);
  Date2Int(text);
  oapiRegisterModule(new ProbeModule(hDLL));
  oapi::ModuleNV base(hDLL);

  oapiWriteLogV("%s %d", text, number);
  FILEHANDLE file = oapiOpenFile(text, FILE_IN_ZEROONFAIL, CONFIG);
  oapiReadItem_int(file, text, number);
  oapiReadItem_string(file, text, text);
  oapiCloseFile(file, FILE_IN_ZEROONFAIL);

  const DWORD count = oapiGetVesselCount();
  OBJHANDLE vessel = oapiGetVesselByIndex(static_cast<int>(count) - 1);
  oapiGetObjectName(hObj, text, 256);
  if (oapiIsVessel(vessel)) {
    VESSEL* vesselInterface = oapiGetVesselInterface(vessel);
    vesselInterface->GetClassNameA();
    vesselInterface->SetTouchdownPoints(points,
                                        static_cast<DWORD>(oapiGetMass(hObj)));
  }
}
