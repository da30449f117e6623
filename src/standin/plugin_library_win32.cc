#include <windows.h>

#include <filesystem>

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

PluginLibrary::Address PluginLibrary::FindAddress(HINSTANCE module,
                                                  const char* name) {
  return reinterpret_cast<Address>(
      reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

std::string PluginLibrary::FileNameOf(HINSTANCE module) {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return "";
  return std::filesystem::path(std::string(path, length)).filename().string();
}

std::string PluginLibrary::FileName(const std::string& module_name) {
  return module_name + ".dll";
}

}  // namespace standin
