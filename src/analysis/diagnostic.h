#ifndef VANTREL_TOOLS_DIAGNOSTIC_H_
#define VANTREL_TOOLS_DIAGNOSTIC_H_

#include "problem.h"

namespace tools {

using standin::FormatProblem;
using standin::Severity;
using standin::SeverityName;

// One finding about a definition file, placed at a line and column, with
// its code.
using Diagnostic = standin::Problem;

}  // namespace tools

#endif  // VANTREL_TOOLS_DIAGNOSTIC_H_
