#ifndef VANTREL_FILES_HOST_PATHS_H_
#define VANTREL_FILES_HOST_PATHS_H_

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/file_system.h"

namespace files {

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

// --- Where the host keeps what ---------------------------------------------

// A place where a scenario may be, and what lies there.
struct ScenarioPlace {
  std::filesystem::path shown;                // as a message names it
  std::optional<std::filesystem::path> disk;  // what lies there, if anything
};

// The places a scenario name may mean, in order: the name as given, then in
// `root`/Scenarios as the simulator names scenarios (its '\' separators and
// names without regard to case); each as written and with ".scn".
std::vector<ScenarioPlace> ScenarioPlaces(FileSystem& files,
                                          const std::string& name,
                                          const std::filesystem::path& root);

// The host folder of a scenario file in a host folder's Scenarios folder, at
// any depth (any case); else the current folder.
std::filesystem::path HostFolderOfScenario(
    const std::filesystem::path& scenario);

// A scenario's name as the simulator gives it ("Delta-glider\Brighton"):
// its path below the Scenarios folder `folder`, '\' between folders,
// without ".scn".
std::string ScenarioName(const std::filesystem::path& file,
                         const std::filesystem::path& folder);

// The path of a file below a folder Config/Vantrel (any case), with '/'
// between folders; its file name when it lies elsewhere.
std::string PathBelowVantrel(const std::filesystem::path& file);

// The folder `relative` ('\' between folders) below `base`, each folder on
// the way found as the host finds it, or made when missing. Nothing when
// one cannot be made, with `error` saying which and why.
std::optional<std::filesystem::path> MakeHostFolders(
    FileSystem& files, const std::filesystem::path& base,
    std::string_view relative, std::string* error);

}  // namespace files

#endif  // VANTREL_FILES_HOST_PATHS_H_
