#ifndef VANTREL_REPORT_PASSED_OVER_TEXT_H_
#define VANTREL_REPORT_PASSED_OVER_TEXT_H_

#include <ostream>
#include <string>
#include <vector>

#include "analysis/vessel_account.h"

namespace report {

// The keys of a vessel's last update whose files the plug-in opened and
// passed over, with the checker's reasons (PassedOverExplainer).
std::vector<const analysis::KeyTried*> PassedOverKeys(
    const analysis::VesselAccount& account);

// "Config\Vantrel\Eagle.cfg passed over, see below": what a table cell
// adds for `keys`; empty when there are none.
std::string PassedOverNote(const std::vector<const analysis::KeyTried*>& keys);

// For each file of `keys`, once: "Config\Vantrel\Eagle.cfg passed over;
// vantrel check says:" and the checker's reasons, one finding a line, as
// compilers print them. Each line starts with `indent`.
void PrintPassedOver(const std::vector<const analysis::KeyTried*>& keys,
                     const std::string& indent, std::ostream& out);

}  // namespace report

#endif  // VANTREL_REPORT_PASSED_OVER_TEXT_H_
