#ifndef VANTREL_ANALYSIS_DIAGNOSTIC_H_
#define VANTREL_ANALYSIS_DIAGNOSTIC_H_

#include "formats/problem.h"

namespace analysis {

using formats::FormatProblem;
using formats::Severity;
using formats::SeverityName;

// One finding about a definition file, placed at a line and column, with
// its code.
using Diagnostic = formats::Problem;

}  // namespace analysis

#endif  // VANTREL_ANALYSIS_DIAGNOSTIC_H_
