#ifndef VANTREL_FILES_DISK_IDENTITY_H_
#define VANTREL_FILES_DISK_IDENTITY_H_

#include <optional>

#include "files/file_system.h"

namespace files {

// Success: the identity of the file open as the descriptor `fd` (from open
// or _wopen). Failure: nothing, when the system cannot tell it.
std::optional<FileSystem::Identity> IdentityOfOpenFile(int fd);

}  // namespace files

#endif  // VANTREL_FILES_DISK_IDENTITY_H_
