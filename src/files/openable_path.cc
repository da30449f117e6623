#include "files/openable_path.h"

#include <windows.h>

#include <string>

namespace files {

std::filesystem::path OpenablePath(const std::filesystem::path& path) {
  const std::wstring& given = path.native();
  // A folder's path leaves room for a name of 8.3 characters below it.
  constexpr std::size_t kLongest = MAX_PATH - 12;
  const bool device_form =
      given.size() >= 4 && given[0] == L'\\' && given[1] == L'\\' &&
      (given[2] == L'?' || given[2] == L'.') && given[3] == L'\\';
  if (given.size() < kLongest || device_form) return path;
  const DWORD size = GetFullPathNameW(given.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::wstring full(size, L'\0');
  const DWORD length =
      GetFullPathNameW(given.c_str(), size, full.data(), nullptr);
  if (length == 0 || length >= size) return path;
  full.resize(length);
  if (full.compare(0, 4, L"\\\\?\\") == 0 ||
      full.compare(0, 4, L"\\\\.\\") == 0) {
    return full;
  }
  if (full.compare(0, 2, L"\\\\") == 0) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

}  // namespace files
