#include "tools/host_folder.h"

#include "formats/text_encoding.h"

namespace tools {

std::filesystem::path HostFolder(const std::optional<std::string>& root) {
  return formats::PathOfHostText(root.value_or("."));
}

bool CheckHostFolder(files::FileSystem& files,
                     const std::filesystem::path& folder, std::ostream& err) {
  if (files.TypeOf(folder) == files::FileSystem::EntryType::kFolder) {
    return true;
  }
  err << formats::ShownPath(folder) << ": cannot read the host folder\n";
  return false;
}

}  // namespace tools
