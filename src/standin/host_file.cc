#include "host_file.h"

#include "host_paths.h"
#include "whole_file.h"

namespace standin {

std::optional<HostFile> ReadHostFile(const std::filesystem::path& host_folder,
                                     std::string_view relative) {
  const auto path = ResolveHostPath(host_folder, relative);
  if (!path) return std::nullopt;
  auto text = ReadWholeFile(*path);
  if (!text) return std::nullopt;
  return HostFile{*path, std::move(*text)};
}

}  // namespace standin
