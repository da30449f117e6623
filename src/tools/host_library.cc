// The stand-in host and the vantrel command as a DLL with a C interface
// (host_c_interface.h): each function forwards to the stand-in's host
// operation of the same name.
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "command_line.h"
#include "host.h"
#include "host_c_interface.h"

int VantrelHostMain(const standin::ModuleCalls* calls) {
  standin::InstallModuleCalls(*calls);
  // The command line as the C runtime split it for the program.
  const int code = tools::RunCommandLine(__argc, __argv);
  // The program ends the process without this library's C runtime
  // shutting down, so what the command printed goes out now.
  std::cout.flush();
  std::fflush(nullptr);
  return code;
}

void VantrelWriteLog(const char* format, std::va_list args) {
  standin::WriteLogV(format, args);
}

FILEHANDLE VantrelOpenFile(const char* fname, FileAccessMode mode,
                           PathRoot root) {
  return oapiOpenFile(fname, mode, root);
}

void VantrelCloseFile(FILEHANDLE file, FileAccessMode mode) {
  oapiCloseFile(file, mode);
}

bool VantrelReadItemInt(FILEHANDLE f, char* item, int* val) {
  return oapiReadItem_int(f, item, *val);
}

bool VantrelReadItemString(FILEHANDLE f, char* item, char* val) {
  return oapiReadItem_string(f, item, val);
}

void VantrelGetObjectName(OBJHANDLE hObj, char* name, int n) {
  oapiGetObjectName(hObj, name, n);
}

bool VantrelIsVessel(OBJHANDLE hObj) { return oapiIsVessel(hObj); }

VESSEL* VantrelGetVesselInterface(OBJHANDLE hVessel) {
  return oapiGetVesselInterface(hVessel);
}

double VantrelGetMass(OBJHANDLE hObj) { return oapiGetMass(hObj); }

DWORD VantrelGetVesselCount() { return oapiGetVesselCount(); }

OBJHANDLE VantrelGetVesselByIndex(int index) {
  return oapiGetVesselByIndex(index);
}

void VantrelRegisterModule(oapi::Module* module) { oapiRegisterModule(module); }

int VantrelDate2Int(char* date) { return Date2Int(date); }

void VantrelInitLib(HINSTANCE hModule) { InitLib(hModule); }

void VantrelModuleDestroyed(const oapi::Module* module) {
  standin::NoteModuleDestroyed(module);
}

char* VantrelVesselClassName(const VESSEL* vessel) {
  return vessel->GetClassNameA();
}

void VantrelVesselSetTouchdownPoints(const VESSEL* vessel,
                                     const TOUCHDOWNVTX* pts, DWORD n) {
  vessel->SetTouchdownPoints(pts, n);
}
