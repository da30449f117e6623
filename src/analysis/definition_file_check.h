#ifndef VANTREL_ANALYSIS_DEFINITION_FILE_CHECK_H_
#define VANTREL_ANALYSIS_DEFINITION_FILE_CHECK_H_

#include <filesystem>
#include <vector>

#include "analysis/diagnostic.h"
#include "files/file_system.h"

namespace analysis {

// What `vantrel check` says about one definition file, read through
// `files`: its name, then its text. A file that cannot be read gives one error,
// coded "unreadable", and sets `*unreadable` when given.
std::vector<Diagnostic> CheckDefinitionFile(files::FileSystem& files,
                                            const std::filesystem::path& path,
                                            bool* unreadable = nullptr);

}  // namespace analysis

#endif  // VANTREL_ANALYSIS_DEFINITION_FILE_CHECK_H_
