#include "host_file.h"

#include <utility>

#include "host_paths.h"

namespace standin {

std::optional<HostFile> ReadHostFile(FileSystem& files,
                                     const std::filesystem::path& host_folder,
                                     std::string_view relative) {
  auto path = ResolveHostPath(files, host_folder, relative);
  if (!path) return std::nullopt;
  auto text = files.ReadFile(*path, nullptr);
  if (!text) return std::nullopt;
  return HostFile{std::move(*path), std::move(*text)};
}

}  // namespace standin
