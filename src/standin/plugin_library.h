#ifndef VANTREL_STANDIN_PLUGIN_LIBRARY_H_
#define VANTREL_STANDIN_PLUGIN_LIBRARY_H_

#include <memory>
#include <string>

#include "orbiter_api.h"

namespace standin {

// A plug-in library loaded as the simulator loads one: with dlopen on POSIX
// systems and LoadLibrary on Windows. The plug-in resolves the host
// operations from the running program, which exports them.
class PluginLibrary {
 public:
  // Loads the library at `path`. Returns null, with `error` saying why, when
  // it cannot be loaded.
  static std::unique_ptr<PluginLibrary> Load(const std::string& path,
                                             std::string* error);

  // Unloads the library; its detach code runs now.
  ~PluginLibrary();
  PluginLibrary(const PluginLibrary&) = delete;
  PluginLibrary& operator=(const PluginLibrary&) = delete;

  // The handle the host passes to the library's InitModule.
  HINSTANCE handle() const { return handle_; }

  // The address of an exported function, or null when the library does not
  // export `name`.
  template <typename Function>
  Function Find(const char* name) const {
    return FindIn<Function>(handle_, name);
  }
  // The same for the loaded library `module`, as the host's InitLib finds
  // the exports of the library that calls it.
  template <typename Function>
  static Function FindIn(HINSTANCE module, const char* name) {
    return reinterpret_cast<Function>(FindAddress(module, name));
  }
  // The file name, without its folder, of the loaded library `module`.
  static std::string FileNameOf(HINSTANCE module);

  // The file name of the plug-in on this platform: "Vantrel.dll" or
  // "Vantrel.so".
  static std::string FileName(const std::string& module_name);

 private:
  explicit PluginLibrary(HINSTANCE handle) : handle_(handle) {}
  using Address = void (*)();
  static Address FindAddress(HINSTANCE module, const char* name);

  HINSTANCE handle_;
};

}  // namespace standin

#endif  // VANTREL_STANDIN_PLUGIN_LIBRARY_H_
