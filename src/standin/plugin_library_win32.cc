#include <windows.h>

#include <filesystem>

#include "files/system_message.h"
#include "formats/text_encoding.h"
#include "standin/plugin_library.h"

namespace standin {

std::unique_ptr<PluginLibrary> PluginLibrary::Load(const std::string& path,
                                                   std::string* error) {
  HMODULE handle = LoadLibraryA(path.c_str());
  if (handle == nullptr) {
    const DWORD code = GetLastError();
    // Windows says "module not found" both for the file and for a library
    // it needs; tell the two apart.
    const bool exists =
        GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    std::string why = files::WindowsErrorMessage(code);
    if (code == ERROR_MOD_NOT_FOUND) {
      why = exists ? "a library it needs is missing" : "no such file";
    }
    *error = "cannot load " + path + ": " + why + " (Windows error " +
             std::to_string(code) + ")";
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
  return formats::ShownPath(
      formats::PathOfHostText(std::string(path, length)).filename());
}

std::string PluginLibrary::FileName(const std::string& module_name) {
  return module_name + ".dll";
}

}  // namespace standin
