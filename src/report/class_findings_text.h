#ifndef VANTREL_REPORT_CLASS_FINDINGS_TEXT_H_
#define VANTREL_REPORT_CLASS_FINDINGS_TEXT_H_

#include <string>
#include <vector>

#include "analysis/class_findings.h"

namespace report {

// The heading of the class files' findings in a report.
extern const char* const kClassFindingsHeading;

// The class files' findings, one line each, as `vantrel check` words them
// after the class they concern ("LDEF: ...LDEF.cfg:3:1: warning: ..."),
// then one line for the files without any.
std::vector<std::string> ClassFindingLines(
    const std::vector<analysis::ClassFindings>& checked);

}  // namespace report

#endif  // VANTREL_REPORT_CLASS_FINDINGS_TEXT_H_
