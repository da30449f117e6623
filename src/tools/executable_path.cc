#include "tools/executable_path.h"

#if defined(_WIN32)
#include <windows.h>
#endif

#include <system_error>

#include "formats/text_encoding.h"
#include "standin/plugin_library.h"

namespace tools {

std::filesystem::path ExecutableFolder() {
#if defined(_WIN32)
  wchar_t buffer[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
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
  return formats::ShownPath(ExecutableFolder() / "Modules" / "Plugin" /
                            standin::PluginLibrary::FileName("Vantrel"));
}

}  // namespace tools
