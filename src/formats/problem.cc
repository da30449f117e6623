#include "formats/problem.h"

namespace formats {

const char* SeverityName(Severity severity) {
  return severity == Severity::kError ? "error" : "warning";
}

std::string FormatProblem(const Problem& problem) {
  std::string text = problem.file;
  if (problem.line > 0) {
    text += ':' + std::to_string(problem.line);
    if (problem.column > 0) text += ':' + std::to_string(problem.column);
  }
  text += std::string(": ") + SeverityName(problem.severity) + ": " +
          problem.message;
  if (!problem.code.empty()) text += " [" + problem.code + "]";
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  }
  return text;
}

}  // namespace formats
