#ifndef VANTREL_ANALYSIS_END_OF_FILE_CHECK_H_
#define VANTREL_ANALYSIS_END_OF_FILE_CHECK_H_

#include <optional>
#include <string_view>

#include "analysis/diagnostic.h"

namespace analysis {

// A Ctrl-Z byte inside an item file, where the host's reader sees the end of
// the file, and what it therefore never reads. Nothing when the file has
// none, or only blank text after it (as old editors leave one at the end).
std::optional<Diagnostic> CheckEndOfFileByte(std::string_view file_name,
                                             std::string_view text);

}  // namespace analysis

#endif  // VANTREL_ANALYSIS_END_OF_FILE_CHECK_H_
