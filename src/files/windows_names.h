#ifndef VANTREL_FILES_WINDOWS_NAMES_H_
#define VANTREL_FILES_WINDOWS_NAMES_H_

#include <optional>
#include <string>

namespace files {

// Why Windows would not write the file `path` (host text, as a user typed
// it) under the name it shows, or nothing when it would:
//  - a path in the device namespace (\\.\ or //./), which names devices;
//  - a final name that is a device's (CON, PRN, AUX, NUL, COM1 to COM9,
//    LPT1 to LPT9, CONIN$, CONOUT$), with any extension and in any case,
//    which names that device in every folder;
//  - a final name with a ':', which names a stream of another file;
//  - a final name that ends in a dot or a space, which Windows drops, so
//    that the file written is another; after \\?\ it is kept, in a name
//    that Explorer cannot open or delete.
// The reason says which file or device the path names instead.
std::optional<std::string> WindowsNameChange(const std::string& path);

}  // namespace files

#endif  // VANTREL_FILES_WINDOWS_NAMES_H_
