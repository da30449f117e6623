#ifndef VANTREL_ANALYSIS_DEFINITION_CHECK_H_
#define VANTREL_ANALYSIS_DEFINITION_CHECK_H_

#include <string_view>
#include <vector>

#include "analysis/diagnostic.h"

namespace analysis {

// Checks the text of one definition file as the host's item reader and the
// module will read it, and explains where that differs from what the author
// probably meant. `file_name` only labels the diagnostics; nothing is read
// from disk. Diagnostics come sorted by line and column.
std::vector<Diagnostic> CheckDefinition(std::string_view file_name,
                                        std::string_view text);

// Checks that a file's name can be matched by a lookup key at all.
// `path_below_vantrel` is the file's path below Config/Vantrel/, with '/'
// between folders (just the file name when it lies elsewhere).
std::vector<Diagnostic> CheckDefinitionFileName(
    std::string_view file_name, std::string_view path_below_vantrel);

}  // namespace analysis

#endif  // VANTREL_ANALYSIS_DEFINITION_CHECK_H_
