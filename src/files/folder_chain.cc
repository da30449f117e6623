#include "files/folder_chain.h"

#include "formats/text_encoding.h"

namespace files {

namespace fs = std::filesystem;

std::vector<ChainFolder> FoldersHolding(FileSystem& files,
                                        const fs::path& path) {
  std::vector<ChainFolder> chain;
  // Up by the path as given until a folder exists; a relative path ends in
  // the current folder.
  fs::path folder = path.has_parent_path() ? path.parent_path() : ".";
  std::optional<fs::path> found;
  for (;;) {
    found = files.FinalPath(folder);
    if (found) break;
    const fs::path up = folder.has_parent_path() ? folder.parent_path() : ".";
    if (up == folder || folder == ".") return chain;
    chain.push_back({formats::ShownPath(folder.filename()), std::nullopt});
    folder = up;
  }
  // Up by the resolved path, whose every folder is the real parent of the
  // one below it.
  for (fs::path real = *found;; real = real.parent_path()) {
    chain.push_back(
        {formats::ShownPath(real.filename()), files.IdentityOf(real)});
    if (!real.has_relative_path() || real.parent_path() == real) break;
  }
  return chain;
}

}  // namespace files
