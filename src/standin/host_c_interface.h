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

#include "module_calls.h"
#include "orbiter_api.h"

#if defined(VANTREL_HOST_LIBRARY_IMPLEMENTATION)
#define VANTREL_HOST_LIBRARY_API extern "C" __declspec(dllexport)
#else
#define VANTREL_HOST_LIBRARY_API extern "C" __declspec(dllimport)
#endif

// Runs the vantrel command on the program's command line, with the module
// calls `calls`; returns its exit code.
VANTREL_HOST_LIBRARY_API int VantrelHostMain(const standin::ModuleCalls* calls);

// The host operations, each as its namesake in orbiter_api.h. A vessel is
// the VESSEL pointer that VantrelGetVesselInterface gave.
VANTREL_HOST_LIBRARY_API void VantrelWriteLog(const char* format,
                                              std::va_list args);
VANTREL_HOST_LIBRARY_API FILEHANDLE VantrelOpenFile(const char* fname,
                                                    FileAccessMode mode,
                                                    PathRoot root);
VANTREL_HOST_LIBRARY_API void VantrelCloseFile(FILEHANDLE file,
                                               FileAccessMode mode);
VANTREL_HOST_LIBRARY_API bool VantrelReadItemInt(FILEHANDLE f, char* item,
                                                 int* val);
VANTREL_HOST_LIBRARY_API bool VantrelReadItemString(FILEHANDLE f, char* item,
                                                    char* val);
VANTREL_HOST_LIBRARY_API void VantrelGetObjectName(OBJHANDLE hObj, char* name,
                                                   int n);
VANTREL_HOST_LIBRARY_API bool VantrelIsVessel(OBJHANDLE hObj);
VANTREL_HOST_LIBRARY_API VESSEL* VantrelGetVesselInterface(OBJHANDLE hVessel);
VANTREL_HOST_LIBRARY_API double VantrelGetMass(OBJHANDLE hObj);
VANTREL_HOST_LIBRARY_API DWORD VantrelGetVesselCount();
VANTREL_HOST_LIBRARY_API OBJHANDLE VantrelGetVesselByIndex(int index);
VANTREL_HOST_LIBRARY_API void VantrelRegisterModule(oapi::Module* module);
VANTREL_HOST_LIBRARY_API int VantrelDate2Int(char* date);
VANTREL_HOST_LIBRARY_API void VantrelInitLib(HINSTANCE hModule);
VANTREL_HOST_LIBRARY_API void VantrelModuleDestroyed(
    const oapi::Module* module);
VANTREL_HOST_LIBRARY_API char* VantrelVesselClassName(const VESSEL* vessel);
VANTREL_HOST_LIBRARY_API void VantrelVesselSetTouchdownPoints(
    const VESSEL* vessel, const TOUCHDOWNVTX* pts, DWORD n);

#endif  // VANTREL_STANDIN_HOST_C_INTERFACE_H_
