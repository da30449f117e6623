#include "tools/single_vessel.h"

#include "report/run_report.h"

namespace tools {

std::optional<standin::SessionResult> RunSingleVessel(
    const SingleVessel& vessel, const char* command, std::ostream& err) {
  formats::Scenario scenario;
  formats::ScenarioVessel entry;
  entry.name = vessel.name;
  entry.class_name = vessel.class_name.value_or(vessel.name);
  entry.mass = vessel.mass;
  entry.state = formats::VesselState::kLanded;
  entry.body = vessel.body;
  scenario.vessels.push_back(entry);

  standin::SessionOptions options;
  options.root = vessel.root;
  options.plugin = vessel.plugin;
  // The steps `vantrel run` takes by default: the vessel is updated once,
  // in the sweep, as in a run.
  options.steps = standin::kSweepStep;
  options.record_item_reads = true;
  options.files = vessel.files;
  options.faults_to = &err;
  std::string session_error;
  auto result = standin::RunSession(scenario, options, &session_error);
  if (!result) {
    err << "vantrel " << command << ": " << session_error << '\n';
    return std::nullopt;
  }
  report::PrintRunWarnings(*result, err);
  return result;
}

}  // namespace tools
