// The stand-in host and the vantrel command behind a C interface, for a
// host program built for another C++ ABI than the stand-in: the
// Microsoft-ABI orbiter.exe that runs the plug-in under Wine
// (src/msabi_host/). Built with MinGW, the stand-in is a DLL exporting
// these functions; the program exports the host operations under their
// Microsoft names and forwards each one here. MinGW and Microsoft code share
// the C calling convention and the va_list (a pointer to the arguments) on
// 32-bit and 64-bit Windows, so plain functions, pointers and a va_list
// cross unchanged.
#ifndef VANTREL_STANDIN_HOST_C_INTERFACE_H_
#define VANTREL_STANDIN_HOST_C_INTERFACE_H_

#include <cstdarg>

#include "orbiter_api.h"
#include "standin/module_calls.h"

#if defined(VANTREL_HOST_LIBRARY_IMPLEMENTATION)
#define VANTREL_HOST_LIBRARY_API extern "C" __declspec(dllexport)
#else
#define VANTREL_HOST_LIBRARY_API extern "C" __declspec(dllimport)
#endif

// Runs the vantrel command on the program's command line, with the module
// calls `calls`; returns its exit code.
VANTREL_HOST_LIBRARY_API int VantrelHostMain(const standin::ModuleCalls* calls);

// The host operations (host_operation_list.h), each as its namesake with
// "VantrelHost_" before the name, "VantrelHost_VESSEL_" for a member function
// of VESSEL, which takes the vessel first: the VESSEL pointer that
// VantrelHost_oapiGetVesselInterface gave.
#define VANTREL_HOST_FUNCTION(type, name, parameters, arguments) \
  VANTREL_HOST_LIBRARY_API type VantrelHost_##name parameters;
#define VANTREL_VESSEL_METHOD(type, name, parameters, arguments, c_parameters) \
  VANTREL_HOST_LIBRARY_API type VantrelHost_VESSEL_##name c_parameters;
#include "host_operation_list.h"

// oapiWriteLogV, with the arguments as a va_list.
VANTREL_HOST_LIBRARY_API void VantrelHost_oapiWriteLogV(const char* format,
                                                        std::va_list args);

// Tells the stand-in that the host program destroyed `module`
// (standin::NoteModuleDestroyed).
VANTREL_HOST_LIBRARY_API void VantrelHost_ModuleDestroyed(
    const oapi::Module* module);

#endif  // VANTREL_STANDIN_HOST_C_INTERFACE_H_
