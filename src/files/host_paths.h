#ifndef VANTREL_STANDIN_HOST_PATHS_H_
#define VANTREL_STANDIN_HOST_PATHS_H_

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "file_system.h"

namespace standin {

// Finds the file that a host-relative path names inside `base`, as the
// host's Windows file system would:
//  - '\' (and '/') separate folders; empty components are skipped;
//  - "." stays and ".." goes up, but never above `base`;
//  - trailing dots and spaces of a component are dropped;
//  - a component holding a character Windows forbids in names (< > : " | ?
//    * or a control character) names nothing;
//  - every component matches an entry without regard to case; an entry
//    spelled exactly as asked is preferred, otherwise the first in sorted
//    order (FileSystem::FindEntry).
// Returns the path in `files` of the entry named, or nothing when a
// component is not found. The entry may be of any type; opening it is the
// caller's business.
std::optional<std::filesystem::path> ResolveHostPath(
    FileSystem& files, const std::filesystem::path& base,
    std::string_view relative);

// As ResolveHostPath, and the entry found is read as FileSystem::ReadFile
// reads it (FileSystem::ReadEntryIn): `text` then holds its whole content,
// or nothing when it is no regular file that could be read.
std::optional<std::filesystem::path> ResolveAndReadHostPath(
    FileSystem& files, const std::filesystem::path& base,
    std::string_view relative, std::optional<std::string>& text);

}  // namespace standin

#endif  // VANTREL_STANDIN_HOST_PATHS_H_
