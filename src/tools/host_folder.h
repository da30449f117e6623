#ifndef VANTREL_TOOLS_HOST_FOLDER_H_
#define VANTREL_TOOLS_HOST_FOLDER_H_

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

#include "files/file_system.h"

namespace tools {

// The host folder a command works on: the one --root names, else the
// current folder.
std::filesystem::path HostFolder(const std::optional<std::string>& root);

// True when `folder` is a folder in `files`. Otherwise false, after saying
// on `err`, as every command says it: "FOLDER: cannot read the host folder".
bool CheckHostFolder(files::FileSystem& files,
                     const std::filesystem::path& folder, std::ostream& err);

}  // namespace tools

#endif  // VANTREL_TOOLS_HOST_FOLDER_H_
