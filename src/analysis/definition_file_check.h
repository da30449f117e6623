#ifndef VANTREL_TOOLS_DEFINITION_FILE_CHECK_H_
#define VANTREL_TOOLS_DEFINITION_FILE_CHECK_H_

#include <filesystem>
#include <vector>

#include "diagnostic.h"
#include "file_system.h"

namespace tools {

// What `vantrel check` says about one definition file, read through
// `files`: its name, then its text. A file that cannot be read gives one error,
// coded "unreadable", and sets `*unreadable` when given.
std::vector<Diagnostic> CheckDefinitionFile(standin::FileSystem& files,
                                            const std::filesystem::path& path,
                                            bool* unreadable = nullptr);

}  // namespace tools

#endif  // VANTREL_TOOLS_DEFINITION_FILE_CHECK_H_
