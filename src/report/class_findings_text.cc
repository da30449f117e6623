#include "report/class_findings_text.h"

namespace report {

const char* const kClassFindingsHeading =
    "Class files as the host reads them (as vantrel check --classes says)";

std::vector<std::string> ClassFindingLines(
    const std::vector<analysis::ClassFindings>& checked) {
  std::vector<std::string> lines;
  std::size_t clean = 0;
  for (const analysis::ClassFindings& c : checked) {
    if (c.findings.empty()) ++clean;
    for (const analysis::Diagnostic& d : c.findings) {
      lines.push_back(c.class_name + ": " + analysis::FormatProblem(d));
    }
  }
  const std::string files =
      clean == 1 ? "class file" : std::to_string(clean) + " class files";
  if (checked.empty()) {
    lines.push_back("no class file to check");
  } else if (clean == checked.size()) {
    lines.push_back("no findings in the " + files);
  } else if (clean > 0) {
    lines.push_back("no findings in the other " + files);
  }
  return lines;
}

}  // namespace report
