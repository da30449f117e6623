// The host operations of the Microsoft-ABI host program, exported under the
// names and calling conventions the real host exports them by, each
// forwarding to the stand-in through its C interface. The module base
// class is defined here too: its constructor, destructor and default
// callbacks are code of the host's ABI, which the plug-in calls and
// derives from.
#include <cstdarg>

#include "host_c_interface.h"
#include "orbiter_api.h"

char* VESSEL::GetClassNameA() const { return VantrelVesselClassName(this); }

void VESSEL::SetTouchdownPoints(const TOUCHDOWNVTX* pts, DWORD n) const {
  VantrelVesselSetTouchdownPoints(this, pts, n);
}

void oapiWriteLogV(const char* format, ...) {
  va_list args;
  va_start(args, format);
  VantrelWriteLog(format, args);
  va_end(args);
}

FILEHANDLE oapiOpenFile(const char* fname, FileAccessMode mode, PathRoot root) {
  return VantrelOpenFile(fname, mode, root);
}

void oapiCloseFile(FILEHANDLE file, FileAccessMode mode) {
  VantrelCloseFile(file, mode);
}

bool oapiReadItem_int(FILEHANDLE f, char* item, int& val) {
  return VantrelReadItemInt(f, item, &val);
}

bool oapiReadItem_string(FILEHANDLE f, char* item, char* val) {
  return VantrelReadItemString(f, item, val);
}

void oapiGetObjectName(OBJHANDLE hObj, char* name, int n) {
  VantrelGetObjectName(hObj, name, n);
}

bool oapiIsVessel(OBJHANDLE hObj) { return VantrelIsVessel(hObj); }

VESSEL* oapiGetVesselInterface(OBJHANDLE hVessel) {
  return VantrelGetVesselInterface(hVessel);
}

double oapiGetMass(OBJHANDLE hObj) { return VantrelGetMass(hObj); }

DWORD oapiGetVesselCount() { return VantrelGetVesselCount(); }

OBJHANDLE oapiGetVesselByIndex(int index) {
  return VantrelGetVesselByIndex(index);
}

void oapiRegisterModule(oapi::Module* module) { VantrelRegisterModule(module); }

int Date2Int(char* date) { return VantrelDate2Int(date); }

void InitLib(HINSTANCE hModule) { VantrelInitLib(hModule); }

void standin::NoteModuleDestroyed(const oapi::Module* module) {
  VantrelModuleDestroyed(module);
}
