#include "files/host_file.h"

#include <utility>

#include "files/host_paths.h"

namespace files {

std::optional<HostFile> ReadHostFile(FileSystem& files,
                                     const std::filesystem::path& host_folder,
                                     std::string_view relative) {
  std::optional<std::string> text;
  auto path = ResolveAndReadHostPath(files, host_folder, relative, text);
  if (!path || !text) return std::nullopt;
  return HostFile{std::move(*path), std::move(*text)};
}

}  // namespace files
