#ifndef VANTREL_TOOLS_RUN_REPORT_H_
#define VANTREL_TOOLS_RUN_REPORT_H_

#include <ostream>

#include "session.h"

namespace tools {

// Prints what a user of `vantrel run` wants to see: the host log as the
// module wrote it, then one row per vessel (name, class, mass, which
// definition applied) and the touchdown points each vessel was handed.
void PrintRunReport(const standin::SessionResult& result, int steps,
                    std::ostream& out);

}  // namespace tools

#endif  // VANTREL_TOOLS_RUN_REPORT_H_
