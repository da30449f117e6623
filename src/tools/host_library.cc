// The stand-in host and the vantrel command as a DLL with a C interface
// (host_c_interface.h): each function forwards to the stand-in's host
// operation of the same name.
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "standin/host.h"
#include "standin/host_c_interface.h"
#include "tools/command_line.h"

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

#define VANTREL_HOST_FUNCTION(type, name, parameters, arguments) \
  type VantrelHost_##name parameters { return name arguments; }
#define VANTREL_VESSEL_METHOD(type, name, parameters, arguments, c_parameters) \
  type VantrelHost_VESSEL_##name c_parameters { return vessel->name arguments; }
#include "host_operation_list.h"

void VantrelHost_oapiWriteLogV(const char* format, std::va_list args) {
  standin::WriteLogV(format, args);
}

void VantrelHost_ModuleDestroyed(const oapi::Module* module) {
  standin::NoteModuleDestroyed(module);
}
