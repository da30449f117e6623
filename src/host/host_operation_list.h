// The host operations a plug-in imports, each listed once. Every file that
// declares, defines or forwards them is made from this list: orbiter_api.h
// declares them, the stand-in defines them (src/standin/host_operations.cc),
// and the stand-in's C interface (src/standin/host_c_interface.h) and the
// Microsoft-ABI host program (src/msabi_host/) forward them. oapiWriteLogV
// alone is written out by hand wherever it goes: a C variadic function
// crosses the C interface as a va_list.
//
// An includer defines the kinds of entry it uses, then includes this file,
// which has no include guard and undefines the macros at its end:
//
//   VANTREL_HOST_FUNCTION(type, name, (parameters), (arguments))
//     a function of the host;
//   VANTREL_VESSEL_METHOD(type, name, (parameters), (arguments),
//                         (parameters of the C interface))
//     a const member function of VESSEL; the C interface takes the vessel
//     first.

#ifndef VANTREL_HOST_FUNCTION
#define VANTREL_HOST_FUNCTION(type, name, parameters, arguments)
#endif
#ifndef VANTREL_VESSEL_METHOD
#define VANTREL_VESSEL_METHOD(type, name, parameters, arguments, c_parameters)
#endif

// --- Files ---------------------------------------------------------------

// Opens `fname`, a path relative to `root` whose folders are separated by
// '\'. With FILE_IN_ZEROONFAIL the result is null when the file cannot be
// opened for reading. A handle that is not null must be released with
// oapiCloseFile and the same mode.
VANTREL_HOST_FUNCTION(FILEHANDLE, oapiOpenFile,
                      (const char* fname, FileAccessMode mode, PathRoot root),
                      (fname, mode, root))

// Releases a handle from oapiOpenFile. Does nothing for a null handle.
VANTREL_HOST_FUNCTION(void, oapiCloseFile,
                      (FILEHANDLE file, FileAccessMode mode), (file, mode))

// Reads item `item` of an item file as an integer. True and `val` set on
// success; false and `val` untouched when the item is absent or unreadable.
VANTREL_HOST_FUNCTION(bool, oapiReadItem_int,
                      (FILEHANDLE f, char* item, int& val), (f, item, val))

// Reads item `item` of an item file as text into `val`, a buffer of 256
// characters, with a terminating NUL. False and `val` untouched when the item
// is absent or empty.
VANTREL_HOST_FUNCTION(bool, oapiReadItem_string,
                      (FILEHANDLE f, char* item, char* val), (f, item, val))

// --- Objects and vessels ---------------------------------------------------

// Copies the object's name, NUL-terminated, into `name` of length `n`.
VANTREL_HOST_FUNCTION(void, oapiGetObjectName,
                      (OBJHANDLE hObj, char* name, int n), (hObj, name, n))

// True when the object is a vessel.
VANTREL_HOST_FUNCTION(bool, oapiIsVessel, (OBJHANDLE hObj), (hObj))

// The interface of a vessel.
VANTREL_HOST_FUNCTION(VESSEL*, oapiGetVesselInterface, (OBJHANDLE hVessel),
                      (hVessel))

// The current mass of an object (kg).
VANTREL_HOST_FUNCTION(double, oapiGetMass, (OBJHANDLE hObj), (hObj))

// The number of vessels now present.
VANTREL_HOST_FUNCTION(DWORD, oapiGetVesselCount, (), ())

// The vessel at `index`, 0 ... oapiGetVesselCount() - 1.
VANTREL_HOST_FUNCTION(OBJHANDLE, oapiGetVesselByIndex, (int index), (index))

// The vessel's class name, or null when it has none. The text belongs to the
// host.
VANTREL_VESSEL_METHOD(char*, GetClassNameA, (), (), (const VESSEL* vessel))

// Replaces the vessel's touchdown vertices with a copy of `pts[0..n)`. Needs
// n >= 3; the first three vertices set the ground plane.
VANTREL_VESSEL_METHOD(void, SetTouchdownPoints,
                      (const TOUCHDOWNVTX* pts, DWORD n), (pts, n),
                      (const VESSEL* vessel, const TOUCHDOWNVTX* pts, DWORD n))

// --- Modules and library set-up --------------------------------------------

// Hands a module object to the host, which keeps it, calls its callbacks and
// destroys it at the end of the session.
VANTREL_HOST_FUNCTION(void, oapiRegisterModule, (oapi::Module * module),
                      (module))

// Converts a date "Mmm dd yyyy" to an integer; 0 when the text is not a date.
VANTREL_HOST_FUNCTION(int, Date2Int, (char* date), (date))

// The host's per-library set-up; a plug-in calls it once when it is loaded.
VANTREL_HOST_FUNCTION(void, InitLib, (HINSTANCE hModule), (hModule))

#undef VANTREL_HOST_FUNCTION
#undef VANTREL_VESSEL_METHOD
