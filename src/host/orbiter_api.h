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
// declared (host_operation_list.h); the object itself belongs to the host.
class OAPIFUNC VESSEL {
 public:
#define VANTREL_VESSEL_METHOD(type, name, parameters, arguments, c_parameters) \
  type name parameters const;
#include "host_operation_list.h"
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

// The other functions of the host (host_operation_list.h says what each
// does).
#define VANTREL_HOST_FUNCTION(type, name, parameters, arguments) \
  OAPIFUNC type name parameters;
#include "host_operation_list.h"

#endif  // VANTREL_HOST_ORBITER_API_H_
