#include "files/windows_names.h"

#include <array>
#include <cctype>

namespace files {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

std::string Capitals(std::string text) {
  for (char& c : text) {
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  return text;
}

// The device the final name `name` opens, in capitals, or nothing.
std::optional<std::string> DeviceOf(const std::string& name) {
  std::string base = name.substr(0, name.find('.'));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  base = Capitals(base);
  static constexpr std::array<const char*, 6> kDevices{
      {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}};
  for (const char* device : kDevices) {
    if (base == device) return base;
  }
  const bool numbered =
      base.size() == 4 &&
      (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) &&
      base[3] >= '1' && base[3] <= '9';
  if (numbered) return base;
  return std::nullopt;
}

}  // namespace

std::optional<std::string> WindowsNameChange(const std::string& path) {
  const bool device_path = path.size() >= 4 && IsSeparator(path[0]) &&
                           IsSeparator(path[1]) && path[2] == '.' &&
                           IsSeparator(path[3]);
  if (device_path) {
    return std::string(
        "a path that starts with \\\\.\\ names a device, not a file; name "
        "the file by its usual path");
  }
  std::size_t start = path.size();
  while (start > 0 && !IsSeparator(path[start - 1])) --start;
  // A drive letter ("C:run.log") is no part of the name.
  const bool drive = path.size() >= 2 && path[1] == ':' &&
                     std::isalpha(static_cast<unsigned char>(path[0]));
  if (start == 0 && drive) start = 2;
  const std::string name = path.substr(start);
  if (name.empty() || name == "." || name == "..") return std::nullopt;
  if (const auto device = DeviceOf(name)) {
    return *device +
           " names a device of Windows, in every folder and with any "
           "extension, not a file";
  }
  const std::size_t colon = name.find(':');
  if (colon != std::string::npos) {
    return "Windows takes what follows the ':' as a stream of the file \"" +
           name.substr(0, colon) + "\", not as a name";
  }
  const char last = name.back();
  if (last == '.' || last == ' ') {
    std::size_t kept = name.size();
    while (kept > 0 && (name[kept - 1] == '.' || name[kept - 1] == ' ')) {
      --kept;
    }
    const bool verbatim = path.compare(0, 4, "\\\\?\\") == 0;
    return std::string("the name ends in a ") +
           (last == '.' ? "dot" : "space") +
           ", which Windows drops, so it names \"" + name.substr(0, kept) +
           "\"" +
           (verbatim ? " (after \\\\?\\ Windows keeps it, in a name that "
                       "Explorer cannot open or delete)"
                     : "");
  }
  return std::nullopt;
}

}  // namespace files
