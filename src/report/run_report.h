#ifndef VANTREL_REPORT_RUN_REPORT_H_
#define VANTREL_REPORT_RUN_REPORT_H_

#include <ostream>
#include <string>
#include <vector>

#include "analysis/vessel_account.h"
#include "standin/session.h"

namespace report {

// Prints what a user of `vantrel run` wants to see: the host log as the
// module wrote it, then one row per vessel (name, class, mass, which
// definition applied, from `accounts`, one for each vessel) and the
// touchdown points each vessel was handed.
void PrintRunReport(const standin::SessionResult& result,
                    const std::vector<analysis::VesselAccount>& accounts,
                    int steps, std::ostream& out);

// "1 line", "2 lines", as the log's headings count lines.
std::string LineCount(std::size_t lines);

// A vessel's mass in kg and where it came from, as the vessel table shows
// it: "15000" (the scenario's MASS), "124340 (Config\Vessels\Mir.cfg)",
// "1000 (default)"; `unit`, if given, follows the number.
std::string MassText(const standin::VesselOutcome& vessel,
                     const std::string& unit = "");

// Prints the warnings of a run (class files whose Mass does not count), one
// line each as compilers do: "file:line: warning: message".
void PrintRunWarnings(const standin::SessionResult& result, std::ostream& err);

}  // namespace report

#endif  // VANTREL_REPORT_RUN_REPORT_H_
