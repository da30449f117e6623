#ifndef VANTREL_STANDIN_DISK_IDENTITY_H_
#define VANTREL_STANDIN_DISK_IDENTITY_H_

#include <optional>

#include "file_system.h"

namespace standin {

// Success: the identity of the file open as the descriptor `fd` (from open
// or _wopen). Failure: nothing, when the system cannot tell it.
std::optional<FileSystem::Identity> IdentityOfOpenFile(int fd);

}  // namespace standin

#endif  // VANTREL_STANDIN_DISK_IDENTITY_H_
