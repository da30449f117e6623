#ifndef VANTREL_FILES_FOLDER_CHAIN_H_
#define VANTREL_FILES_FOLDER_CHAIN_H_

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "files/file_system.h"

namespace files {

// A folder on the way from an entry up to the root, as the system resolves
// it.
struct ChainFolder {
  std::string name;  // as on disk, or as given for a folder not there yet
  std::optional<FileSystem::Identity> identity;  // nothing when not there
};

// The folders that hold `path`, innermost first, up to the root: the
// folders the path names that do not exist (yet), as spelled, then from the
// innermost one that exists (FileSystem::FinalPath) each real parent with
// its identity, so that links, drive aliases, short names and case all give
// the same chain. Empty when not even the root can be resolved.
std::vector<ChainFolder> FoldersHolding(FileSystem& files,
                                        const std::filesystem::path& path);

}  // namespace files

#endif  // VANTREL_FILES_FOLDER_CHAIN_H_
