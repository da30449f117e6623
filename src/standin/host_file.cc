#include "host_file.h"

#include <cstdio>
#include <system_error>

#include "host_paths.h"

namespace standin {
namespace {

// The text of a regular file, or nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error) || error) {
    return std::nullopt;
  }
  // Opened by its native name, so that names beyond ASCII survive on
  // Windows too.
#if defined(_WIN32)
  std::FILE* file = _wfopen(path.c_str(), L"rb");
#else
  std::FILE* file = std::fopen(path.c_str(), "rb");
#endif
  if (file == nullptr) return std::nullopt;
  // Read in large blocks: a definition may hold thousands of points.
  std::string text;
  char block[1 << 14];
  std::size_t got = 0;
  while ((got = std::fread(block, 1, sizeof block, file)) > 0) {
    text.append(block, got);
  }
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return std::nullopt;
  return text;
}

}  // namespace

std::optional<HostFile> ReadHostFile(const std::filesystem::path& host_folder,
                                     std::string_view relative) {
  const auto path = ResolveHostPath(host_folder, relative);
  if (!path) return std::nullopt;
  auto text = ReadWholeFile(*path);
  if (!text) return std::nullopt;
  return HostFile{*path, std::move(*text)};
}

}  // namespace standin
