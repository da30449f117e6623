#include "report/run_summary.h"

#include "report/account_text.h"
#include "report/text_table.h"

namespace report {

namespace {

// "Config\Vantrel\A.cfg, Config\Vantrel\B.cfg and 3 more".
std::string Some(const std::set<std::string>& names) {
  constexpr std::size_t kShown = 3;
  std::string text;
  std::size_t shown = 0;
  for (const std::string& name : names) {
    if (shown == kShown) break;
    text += (shown++ == 0 ? "" : ", ") + name;
  }
  if (names.size() > kShown) {
    text += " and " + std::to_string(names.size() - kShown) + " more";
  }
  return text;
}

}  // namespace

void RunSummary::Add(const standin::SessionResult& simulation,
                     const std::vector<analysis::VesselAccount>& accounts) {
  ++scenarios_;
  vessels_ += static_cast<int>(accounts.size());
  faults_ += simulation.faults.size() + simulation.files_left_open;
  for (const analysis::VesselAccount& account : accounts) {
    if (account.updates.empty()) {
      ++not_updated_;
      continue;
    }
    const analysis::KeyTried* applied = account.Applied();
    if (applied == nullptr) {
      ++none_;
    } else if (applied->by == analysis::KeyTried::By::kName) {
      ++by_name_;
    } else {
      ++by_class_;
    }
    for (const analysis::KeyTried& key : account.updates.back().keys) {
      if (key.verdict == analysis::KeyTried::Verdict::kRefused)
        refused_.insert(key.key);
      if (key.verdict == analysis::KeyTried::Verdict::kDoesNotCount) {
        passed_over_.insert(ShownDefinitionPath(key));
      }
    }
  }
}

void RunSummary::Print(std::ostream& out) const {
  out << "Summary of the run\n";
  TextTable table({false, true, false});
  table.AddRow({"scenarios", std::to_string(scenarios_), ""});
  table.AddRow({"vessels", std::to_string(vessels_), "in all scenarios"});
  table.AddRow({"definition by name", std::to_string(by_name_), ""});
  table.AddRow({"definition by class", std::to_string(by_class_), ""});
  table.AddRow(
      {"no definition", std::to_string(none_), "they keep their own points"});
  if (not_updated_ > 0) {
    table.AddRow({"not updated yet", std::to_string(not_updated_),
                  "the run stopped before the plug-in's sweep"});
  }
  table.AddRow({"files passed over", std::to_string(passed_over_.size()),
                Some(passed_over_)});
  table.AddRow({"keys refused", std::to_string(refused_.size()),
                refused_.empty() ? "" : "never opened: " + Some(refused_)});
  table.AddRow({"faults", std::to_string(faults_),
                faults_ == 0 ? "" : "the plug-in broke the host's rules"});
  table.Print(out, "  ");
}

}  // namespace report
