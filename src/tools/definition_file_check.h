#ifndef VANTREL_TOOLS_DEFINITION_FILE_CHECK_H_
#define VANTREL_TOOLS_DEFINITION_FILE_CHECK_H_

#include <filesystem>
#include <vector>

#include "diagnostic.h"

namespace tools {

// What `vantrel check` says about one definition file on disk: its name,
// then its text. A file that cannot be read gives one error, coded
// "unreadable", and sets `*unreadable` when given.
std::vector<Diagnostic> CheckDefinitionFile(const std::filesystem::path& path,
                                            bool* unreadable = nullptr);

}  // namespace tools

#endif  // VANTREL_TOOLS_DEFINITION_FILE_CHECK_H_
