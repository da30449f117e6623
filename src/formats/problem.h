#ifndef VANTREL_FORMATS_PROBLEM_H_
#define VANTREL_FORMATS_PROBLEM_H_

#include <string>
#include <utility>

namespace formats {

enum class Severity { kError, kWarning };

// "error" or "warning".
const char* SeverityName(Severity severity);

// A problem found in a file that a command or the host read: a definition
// that check finds fault with, a scenario line, a class file's mass. Every
// command reports its problems with this record and FormatProblem.
struct Problem {
  std::string file;  // as shown to the user; empty while a reader of text
                     // does not know its file (the caller sets it)
  int line = 0;      // 1-based; 0 when it concerns the whole file
  int column = 0;    // 1-based; 0 when it concerns the whole line or file
  Severity severity = Severity::kWarning;
  std::string message;
  std::string code;  // short stable name, such as "n-missing"; may be empty

  static Problem Error(std::string file, int line, std::string message) {
    return {std::move(file), line, 0, Severity::kError, std::move(message), ""};
  }
  static Problem Warning(std::string file, int line, std::string message) {
    return {std::move(file),    line, 0, Severity::kWarning,
            std::move(message), ""};
  }
};

// A problem as compilers print them: "file:line:col: severity: message
// [code]". Line and column are left out when they are 0, and the code when
// there is none. Control characters become '?', so that one problem stays
// one line whatever a file name or key holds.
std::string FormatProblem(const Problem& problem);

}  // namespace formats

#endif  // VANTREL_FORMATS_PROBLEM_H_
