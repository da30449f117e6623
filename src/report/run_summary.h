#ifndef VANTREL_REPORT_RUN_SUMMARY_H_
#define VANTREL_REPORT_RUN_SUMMARY_H_

#include <cstddef>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "analysis/vessel_account.h"
#include "standin/session.h"

namespace report {

// What a run of several scenarios did, in all: the scenarios, the vessels
// and how many got a definition by name, by class or none, the files passed
// over, the keys refused and the host's faults. Counted from the vessels'
// accounts, as the tables above it show them.
class RunSummary {
 public:
  // Counts one simulation and the accounts of its vessels.
  void Add(const standin::SessionResult& simulation,
           const std::vector<analysis::VesselAccount>& accounts);
  // Counts calls the host refused and files left open outside any
  // simulation's own: while loading or unloading.
  void AddFaults(std::size_t faults) { faults_ += faults; }

  void Print(std::ostream& out) const;

 private:
  int scenarios_ = 0;
  int vessels_ = 0;
  int by_name_ = 0;
  int by_class_ = 0;
  int none_ = 0;
  int not_updated_ = 0;  // vessels the plug-in has not looked at yet
  std::set<std::string> passed_over_;  // files, as the tables name them
  std::set<std::string> refused_;      // keys never opened
  std::size_t faults_ = 0;
};

}  // namespace report

#endif  // VANTREL_REPORT_RUN_SUMMARY_H_
