#ifndef VANTREL_TOOLS_DIAGNOSTIC_H_
#define VANTREL_TOOLS_DIAGNOSTIC_H_

#include <string>

namespace tools {

enum class Severity { kError, kWarning };

// "error" or "warning".
const char* SeverityName(Severity severity);

// One finding about a definition file, placed at a line and column.
struct Diagnostic {
  std::string file;
  int line = 0;    // 1-based; 0 when it concerns the whole file
  int column = 0;  // 1-based; 0 when it concerns the whole line or file
  Severity severity = Severity::kWarning;
  std::string message;
  std::string code;  // short stable name, such as "n-missing"
};

}  // namespace tools

#endif  // VANTREL_TOOLS_DIAGNOSTIC_H_
