#ifndef VANTREL_FILES_HOST_FILE_H_
#define VANTREL_FILES_HOST_FILE_H_

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "files/file_system.h"

namespace files {

// A file of the host folder, read whole.
struct HostFile {
  std::filesystem::path disk_path;  // the file found on disk
  std::string text;
};

// Reads, through `files`, the regular file that the host-relative path
// `relative` names in `host_folder`, resolved as the host's Windows file system
// would (see ResolveHostPath: '\' separators, names without regard to case).
// Nothing when no such file exists or it cannot be read.
std::optional<HostFile> ReadHostFile(FileSystem& files,
                                     const std::filesystem::path& host_folder,
                                     std::string_view relative);

}  // namespace files

#endif  // VANTREL_FILES_HOST_FILE_H_
