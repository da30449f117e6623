#include "executable_path.h"

#if defined(_WIN32)
#include <windows.h>
#endif

#include <system_error>

#include "plugin_library.h"

namespace tools {

std::filesystem::path ExecutableFolder() {
#if defined(_WIN32)
  char buffer[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
  if (length == 0 || length == MAX_PATH) return std::filesystem::current_path();
  return std::filesystem::path(buffer).parent_path();
#else
  std::error_code error;
  const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return std::filesystem::current_path();
  return path.parent_path();
#endif
}

std::string DefaultPluginPath() {
  return (ExecutableFolder() / "Modules" / "Plugin" /
          standin::PluginLibrary::FileName("Vantrel"))
      .string();
}

}  // namespace tools
