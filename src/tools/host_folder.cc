#include "host_folder.h"

#include "text_encoding.h"

namespace tools {

std::filesystem::path HostFolder(const std::optional<std::string>& root) {
  return standin::PathOfHostText(root.value_or("."));
}

bool CheckHostFolder(standin::FileSystem& files,
                     const std::filesystem::path& folder, std::ostream& err) {
  if (files.TypeOf(folder) == standin::FileSystem::EntryType::kFolder) {
    return true;
  }
  err << standin::ShownPath(folder) << ": cannot read the host folder\n";
  return false;
}

}  // namespace tools
