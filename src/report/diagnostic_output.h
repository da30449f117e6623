#ifndef VANTREL_REPORT_DIAGNOSTIC_OUTPUT_H_
#define VANTREL_REPORT_DIAGNOSTIC_OUTPUT_H_

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/diagnostic.h"

namespace report {

// Every diagnostic as one JSON document:
// {"files_checked": n, "errors": e, "warnings": w, "diagnostics": [{"file",
//  "line", "column", "severity", "message", "code"}, ...]}
void PrintDiagnosticsJson(const std::vector<analysis::Diagnostic>& diagnostics,
                          int files_checked, std::ostream& out);

// `text` as a JSON string literal, quotes included. Bytes that are not valid
// UTF-8 become U+FFFD, so that the document stays valid.
std::string JsonString(std::string_view text);

}  // namespace report

#endif  // VANTREL_REPORT_DIAGNOSTIC_OUTPUT_H_
