#ifndef VANTREL_STANDIN_HOST_H_
#define VANTREL_STANDIN_HOST_H_

#include <cstdarg>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "files/disk_file_system.h"
#include "files/file_system.h"
#include "orbiter_api.h"
#include "standin/edition.h"
#include "standin/host_log.h"
#include "standin/host_version.h"
#include "standin/plugin_library.h"
#include "standin/sim_object.h"
#include "standin/unloading.h"

namespace standin {

class Session;

// The stand-in for the simulator's program: what lives from before a
// plug-in is loaded until after it is unloaded, across any number of
// simulations (each a Session). The host operations that a plug-in imports
// (host_operations.cc) act on the current host, and those about vessels and
// files on its current session. The host made last is the current one;
// when it is destroyed, the one before it is current again.
//
// Tests watch or steer what the host does by deriving from it (the virtual
// methods below), as a test double does; the host itself has no switches.
class PluginHost {
 public:
  // A host over the host folder `folder` of `file_system` (the disk when
  // none is given), current until it is destroyed or another is made.
  explicit PluginHost(std::filesystem::path folder,
                      std::unique_ptr<files::FileSystem> file_system =
                          std::make_unique<files::DiskFileSystem>(),
                      Edition edition = Edition::k2016);
  // Unloads the plug-in if it is loaded, then destroys the registered
  // module objects that are left.
  virtual ~PluginHost();
  PluginHost(const PluginHost&) = delete;
  PluginHost& operator=(const PluginHost&) = delete;

  // The current host. Aborts with a message when there is none: a host
  // operation called without a host is a fault of the caller.
  static PluginHost& Current();
  // The current host, or null.
  static PluginHost* CurrentOrNull();

  const std::filesystem::path& folder() const { return folder_; }
  // The files the host reads. The host owns them, and with them whatever
  // they keep between reads (the disk's folder listings).
  files::FileSystem& file_system() { return *file_system_; }
  // The folder a path root stands for, as a host-relative prefix ending in
  // '\', or nothing for a root the stand-in does not know.
  static std::optional<std::string> RootPrefix(PathRoot root);

  Edition edition() const { return edition_; }
  HostLog& log() { return log_; }
  const HostLog& log() const { return log_; }

  // Loads the plug-in at `path` as the host loads a ticked module: the
  // system loader runs its library entry, which calls InitLib (the module
  // line, then the plug-in's InitModule). False, with `error` saying why,
  // when it cannot be loaded. One plug-in at a time.
  bool Load(const std::string& path, std::string* error);
  // Unloads the plug-in as the host's edition does. Module objects the
  // plug-in registered and left alive after it was unloaded are a fault.
  void Unload();
  // What the last Unload saw.
  const Unloading& unloading() const { return unloading_; }
  const PluginLibrary* library() const { return library_.get(); }

  // What InitLib does for the library `module`: writes the module line
  // and calls the library's InitModule (or, missing that, opcDLLInit).
  virtual void InitLibrary(HINSTANCE module);
  // What Date2Int gives a module for `date`: the host's own conversion.
  virtual int ModuleDateToInt(const char* date);
  // The value oapiReadItem_string copies into a module's buffer for an
  // item's `value`: the whole value, as the real host copies it.
  virtual std::string_view ItemValueCopied(std::string_view value);

  // Module objects registered with oapiRegisterModule and not yet
  // destroyed, in order.
  const std::vector<oapi::Module*>& modules() const { return modules_; }
  void RegisterModule(oapi::Module* module);
  // Destroys every registered module through its virtual destructor
  // (CurrentModuleCalls().destroy), as the 2016 release does at unloading.
  void DestroyModules();
  // Called by the module base class's destructor: `module` is gone. A
  // registered module destroyed twice is a fault.
  void ModuleDestroyed(const oapi::Module* module);
  // How many registered module objects were destroyed, in all.
  int modules_destroyed() const { return modules_destroyed_; }

  // The simulation running now, or null between simulations.
  Session* session() const { return session_; }
  void BeginSession(Session* session) { session_ = session; }
  void EndSession() { session_ = nullptr; }

  // Takes the objects of a simulation when it destroys them. The host
  // keeps their memory until it ends, so that no later object takes an
  // address that named an earlier one: a handle a module kept from a
  // simulation that ended then names no object, and the call faults.
  void RetireObjects(std::vector<std::unique_ptr<SimObject>> objects);

  // Records that a module broke a rule of the host's interface, with the
  // current session if one runs, and says so on the fault stream. The host
  // refuses the call instead of misbehaving.
  void Fault(std::string message);
  // Faults outside any simulation: while loading or unloading.
  const std::vector<std::string>& faults() const { return faults_; }
  // Where Fault says so as it happens: the stream of the command that runs
  // (standard error until one is set); owned by the caller.
  void SetFaultStream(std::ostream* stream) { fault_stream_ = stream; }

 private:
  std::filesystem::path folder_;
  std::unique_ptr<files::FileSystem> file_system_;
  Edition edition_;
  HostLog log_;
  std::unique_ptr<PluginLibrary> library_;
  Unloading unloading_;
  std::vector<oapi::Module*> modules_;
  std::vector<const oapi::Module*> destroyed_;
  int modules_destroyed_ = 0;
  Session* session_ = nullptr;
  std::vector<std::string> faults_;
  std::ostream* fault_stream_;
  std::vector<std::unique_ptr<SimObject>> retired_;
};

// oapiWriteLogV of the current host, with the arguments as a va_list.
void WriteLogV(const char* format, va_list args);

}  // namespace standin

#endif  // VANTREL_STANDIN_HOST_H_
