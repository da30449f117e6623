// The host simulator's plug-in interface, as far as Vantrel uses it.
//
// These declarations follow the host's own names, types and calling
// conventions, so that the module compiles unchanged against the real host
// (32-bit Windows, Microsoft C++ ABI) and against our stand-in host on Linux
// or MinGW. The host exports every function declared here; a plug-in imports
// them. No Windows header is needed: the few Windows types are declared below
// exactly as the Windows headers declare them, so both may be seen together.
#ifndef VANTREL_HOST_ORBITER_API_H_
#define VANTREL_HOST_ORBITER_API_H_

// OAPIFUNC marks what the host program exports. The stand-in host defines
// VANTREL_HOST_IMPLEMENTATION while it compiles its own definitions; a
// plug-in imports. Code that is linked into the same program as the stand-in
// (the unit tests) defines VANTREL_HOST_LINKED_IN and needs neither.
#if defined(VANTREL_HOST_LINKED_IN)
#define OAPIFUNC
#elif defined(_WIN32)
#if defined(VANTREL_HOST_IMPLEMENTATION)
#define OAPIFUNC __declspec(dllexport)
#else
#define OAPIFUNC __declspec(dllimport)
#endif
#else
#define OAPIFUNC __attribute__((visibility("default")))
#endif

// Windows base types, declared as the Windows headers declare them.
struct HINSTANCE__;
typedef struct HINSTANCE__* HINSTANCE;
typedef unsigned long DWORD;
typedef unsigned int UINT;
typedef int BOOL;

// Opaque handles of the host. The module never creates or releases an
// object handle; file handles are released with oapiCloseFile.
typedef void* OBJHANDLE;
typedef void* FILEHANDLE;

#if defined(__GNUC__)
#define VANTREL_ANONYMOUS_STRUCT __extension__ struct
#else
#define VANTREL_ANONYMOUS_STRUCT struct
#endif

union VECTOR3 {
  double data[3];
  VANTREL_ANONYMOUS_STRUCT { double x, y, z; };
};

// One touchdown vertex: where a vessel meets the ground. 56 bytes.
struct TOUCHDOWNVTX {
  VECTOR3 pos;       // position in the vessel frame (m)
  double stiffness;  // suspension stiffness (N/m)
  double damping;    // suspension damping (N s/m)
  double mu;         // lateral friction coefficient
  double mu_lng;     // longitudinal friction coefficient
};

// Access modes of oapiOpenFile. FILE_IN_ZEROONFAIL (3) opens for reading and
// gives a null handle when the file cannot be read.
enum FileAccessMode { FILE_IN, FILE_OUT, FILE_APP, FILE_IN_ZEROONFAIL };

// Roots that oapiOpenFile resolves a relative path against. CONFIG (1) is
// the host's configuration folder.
enum PathRoot { ROOT, CONFIG, SCENARIOS, TEXTURES, TEXTURES2, MESHES, MODULES };

// The host's interface to one vessel. Only the methods Vantrel calls are
// declared; the object itself belongs to the host.
class OAPIFUNC VESSEL {
 public:
  // The vessel's class name, or null when it has none. The text belongs to
  // the host.
  char* GetClassNameA() const;

  // Replaces the vessel's touchdown vertices with a copy of `pts[0..n)`.
  // Needs n >= 3; the first three vertices set the ground plane.
  void SetTouchdownPoints(const TOUCHDOWNVTX* pts, DWORD n) const;
};

namespace oapi {

// The part of a module that the host fills in when it constructs one.
class OAPIFUNC ModuleNV {
 public:
  explicit ModuleNV(HINSTANCE hDLL);

 protected:
  int version;
  HINSTANCE hModule;
};

// Base class of a plug-in module object. The host calls the virtual
// callbacks from its simulation loop; every default does nothing. A module
// object registered with oapiRegisterModule belongs to the host, which
// destroys it through the virtual destructor.
class OAPIFUNC Module : public ModuleNV {
 public:
  enum RenderMode { RENDER_NONE, RENDER_FULLSCREEN, RENDER_WINDOW };

  explicit Module(HINSTANCE hDLL);
  virtual ~Module();
  virtual void clbkSimulationStart(RenderMode mode);
  virtual void clbkSimulationEnd();
  virtual void clbkPreStep(double simt, double simdt, double mjd);
  virtual void clbkPostStep(double simt, double simdt, double mjd);
  virtual void clbkTimeJump(double simt, double simdt, double mjd);
  virtual void clbkFocusChanged(OBJHANDLE new_focus, OBJHANDLE old_focus);
  virtual void clbkTimeAccChanged(double new_warp, double old_warp);
  virtual void clbkNewVessel(OBJHANDLE hVessel);
  virtual void clbkDeleteVessel(OBJHANDLE hVessel);
  virtual void clbkVesselJump(OBJHANDLE hVessel);
  virtual void clbkPause(bool pause);
  virtual bool clbkProcessMouse(UINT event, DWORD state, DWORD x, DWORD y);
  virtual bool clbkProcessKeyboardImmediate(char kstate[256], bool simRunning);
  virtual bool clbkProcessKeyboardBuffered(DWORD key, char kstate[256],
                                           bool simRunning);
};

}  // namespace oapi

// Adds one line to the host log: `format` applied to the arguments as
// printf does. The host adds the line end.
OAPIFUNC void oapiWriteLogV(const char* format, ...);

// Opens `fname`, a path relative to `root` whose folders are separated by
// '\'. With FILE_IN_ZEROONFAIL the result is null when the file cannot be
// opened for reading. A handle that is not null must be released with
// oapiCloseFile and the same mode.
OAPIFUNC FILEHANDLE oapiOpenFile(const char* fname, FileAccessMode mode,
                                 PathRoot root);

// Releases a handle from oapiOpenFile. Does nothing for a null handle.
OAPIFUNC void oapiCloseFile(FILEHANDLE file, FileAccessMode mode);

// Reads item `item` of an item file as an integer. True and `val` set on
// success; false and `val` untouched when the item is absent or unreadable.
OAPIFUNC bool oapiReadItem_int(FILEHANDLE f, char* item, int& val);

// Reads item `item` of an item file as text into `val`, a buffer of 256
// characters, with a terminating NUL. False and `val` untouched when the item
// is absent or empty.
OAPIFUNC bool oapiReadItem_string(FILEHANDLE f, char* item, char* val);

// Copies the object's name, NUL-terminated, into `name` of length `n`.
OAPIFUNC void oapiGetObjectName(OBJHANDLE hObj, char* name, int n);

// True when the object is a vessel.
OAPIFUNC bool oapiIsVessel(OBJHANDLE hObj);

// The interface of a vessel.
OAPIFUNC VESSEL* oapiGetVesselInterface(OBJHANDLE hVessel);

// The current mass of an object (kg).
OAPIFUNC double oapiGetMass(OBJHANDLE hObj);

// The number of vessels now present.
OAPIFUNC DWORD oapiGetVesselCount();

// The vessel at `index`, 0 ... oapiGetVesselCount() - 1.
OAPIFUNC OBJHANDLE oapiGetVesselByIndex(int index);

// Hands a module object to the host, which keeps it, calls its callbacks
// and destroys it at the end of the session.
OAPIFUNC void oapiRegisterModule(oapi::Module* module);

// Converts a date "Mmm dd yyyy" to an integer; 0 when the text is not a
// date.
OAPIFUNC int Date2Int(char* date);

// The host's per-library set-up; a plug-in calls it once when it is loaded.
OAPIFUNC void InitLib(HINSTANCE hModule);

#endif  // VANTREL_HOST_ORBITER_API_H_
