#include <windows.h>

#include "plugin_library.h"

namespace standin {

std::unique_ptr<PluginLibrary> PluginLibrary::Load(const std::string& path,
                                                   std::string* error) {
  HMODULE handle = LoadLibraryA(path.c_str());
  if (handle == nullptr) {
    *error = "cannot load " + path + " (Windows error " +
             std::to_string(GetLastError()) + ")";
    return nullptr;
  }
  return std::unique_ptr<PluginLibrary>(new PluginLibrary(handle));
}

PluginLibrary::~PluginLibrary() { FreeLibrary(handle_); }

PluginLibrary::Address PluginLibrary::FindAddress(const char* name) const {
  return reinterpret_cast<Address>(
      reinterpret_cast<void (*)()>(GetProcAddress(handle_, name)));
}

std::string PluginLibrary::FileName(const std::string& module_name) {
  return module_name + ".dll";
}

}  // namespace standin
