#include <dlfcn.h>
#include <link.h>

#include <filesystem>

#include "standin/plugin_library.h"

namespace standin {

std::unique_ptr<PluginLibrary> PluginLibrary::Load(const std::string& path,
                                                   std::string* error) {
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* reason = dlerror();
    *error = reason != nullptr ? reason : "cannot load " + path;
    return nullptr;
  }
  return std::unique_ptr<PluginLibrary>(
      new PluginLibrary(static_cast<HINSTANCE>(handle)));
}

PluginLibrary::~PluginLibrary() { dlclose(static_cast<void*>(handle_)); }

PluginLibrary::Address PluginLibrary::FindAddress(HINSTANCE module,
                                                  const char* name) {
  return reinterpret_cast<Address>(dlsym(static_cast<void*>(module), name));
}

std::string PluginLibrary::FileNameOf(HINSTANCE module) {
  link_map* map = nullptr;
  if (dlinfo(static_cast<void*>(module), RTLD_DI_LINKMAP, &map) != 0 ||
      map == nullptr || map->l_name == nullptr) {
    return "";
  }
  return std::filesystem::path(map->l_name).filename().string();
}

std::string PluginLibrary::FileName(const std::string& module_name) {
  return module_name + ".so";
}

}  // namespace standin
