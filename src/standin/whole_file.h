#ifndef VANTREL_STANDIN_WHOLE_FILE_H_
#define VANTREL_STANDIN_WHOLE_FILE_H_

#include <filesystem>
#include <optional>
#include <string>

namespace standin {

// The bytes of a regular file, read whole; nothing when it cannot be read,
// and then, when `reason` is given, why, in words for a person: "no such
// file", "it is a folder", "cannot open it for reading", "reading it
// failed", or what the system says.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path,
                                         std::string* reason = nullptr);

}  // namespace standin

#endif  // VANTREL_STANDIN_WHOLE_FILE_H_
