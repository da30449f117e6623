#include "show_command.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "disk_file_system.h"
#include "executable_path.h"
#include "exit_codes.h"
#include "run_report.h"
#include "session.h"
#include "show_report.h"
#include "touchdown_svg.h"

namespace tools {

namespace {

namespace fs = std::filesystem;

bool WriteSvg(const std::string& path, const standin::VesselOutcome& vessel,
              std::ostream& err) {
  TouchdownDrawing drawing;
  drawing.title = vessel.name + " (class " + vessel.class_name + ", " +
                  std::to_string(static_cast<long long>(vessel.mass)) +
                  " kg): " + std::to_string(vessel.touchdown.size()) +
                  " touchdown points";
  drawing.points = vessel.touchdown;
  drawing.origin_height = RestingOriginHeight(vessel);
  drawing.warning = StanceProblem(vessel).value_or("");
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << DrawTouchdownSvg(drawing);
  file.close();
  if (!file) {
    err << path << ": cannot write the drawing\n";
    return false;
  }
  return true;
}

}  // namespace

int ShowCommand(const ShowArguments& arguments, std::ostream& out,
                std::ostream& err) {
  const fs::path root = arguments.root.value_or(".");
  std::error_code error;
  if (!fs::is_directory(root, error)) {
    err << root.string() << ": cannot read the host folder\n";
    return kExitInput;
  }

  standin::Scenario scenario;
  standin::ScenarioVessel vessel;
  vessel.name = arguments.name;
  vessel.class_name = arguments.class_name.value_or(arguments.name);
  vessel.mass = arguments.mass;
  scenario.vessels.push_back(vessel);

  standin::SessionOptions options;
  options.root = root;
  options.plugin = arguments.plugin.value_or(DefaultPluginPath());
  // The steps `vantrel run` takes by default: the vessel is updated once,
  // in the sweep, as in a run.
  options.steps = standin::kSweepStep;
  options.record_file_events = true;
  standin::SessionError session_error;
  const auto result = standin::RunSession(scenario, options, &session_error);
  if (!result) {
    err << "vantrel show: " << session_error.message << '\n';
    return kExitPlugin;
  }
  PrintRunWarnings(*result, err);
  const standin::VesselOutcome& outcome = result->vessels.front();
  standin::DiskFileSystem files;
  PrintShowReport(*result, outcome, files, out);

  if (arguments.svg && !WriteSvg(*arguments.svg, outcome, err)) {
    return kExitInput;
  }
  if (!result->faults.empty() || result->files_left_open > 0) {
    err << "vantrel show: the module broke the host's rules; see above\n";
    return kExitFindings;
  }
  return kExitOk;
}

}  // namespace tools
