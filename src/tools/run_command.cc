#include "run_command.h"

#include <filesystem>
#include <sstream>
#include <system_error>

#include "disk_file_system.h"
#include "executable_path.h"
#include "exit_codes.h"
#include "item_file.h"
#include "plugin_library.h"
#include "run_report.h"
#include "scenario.h"
#include "session.h"

namespace {

namespace fs = std::filesystem;

struct Inputs {
  fs::path root;
  fs::path scenario;
};

// The host folder and scenario to run, or nothing after saying why.
std::optional<Inputs> ChooseInputs(const RunArguments& arguments,
                                   std::ostream& err) {
  if (!arguments.root && !arguments.scenario) {
    const fs::path example = ExecutableFolder() / "examples";
    return Inputs{example, example / "Scenarios" / "Demo.scn"};
  }
  if (!arguments.scenario) {
    err << "vantrel run: name the scenario to run in " << *arguments.root
        << '\n';
    return std::nullopt;
  }
  Inputs inputs;
  inputs.scenario = *arguments.scenario;
  if (arguments.root) {
    inputs.root = *arguments.root;
    // A bare scenario name may be one of the host folder's scenarios.
    std::error_code error;
    const fs::path in_root = inputs.root / "Scenarios" / inputs.scenario;
    if (!fs::exists(inputs.scenario, error) && fs::exists(in_root, error)) {
      inputs.scenario = in_root;
    }
  } else {
    // A scenario in a host folder's Scenarios folder names its host folder.
    const fs::path folder = fs::absolute(inputs.scenario).parent_path();
    inputs.root = standin::FoldCase(folder.filename().string()) == "scenarios"
                      ? folder.parent_path()
                      : fs::current_path();
  }
  return inputs;
}

bool CheckRoot(const fs::path& root, std::ostream& err) {
  std::error_code error;
  fs::directory_iterator listing(root, error);
  if (error) {
    err << root.string() << ": cannot read the host folder: " << error.message()
        << '\n';
    return false;
  }
  return true;
}

std::optional<std::string> ReadText(standin::FileSystem& files,
                                    const fs::path& path, std::ostream& err) {
  if (files.TypeOf(path) == standin::FileSystem::EntryType::kFolder) {
    err << path.string() << ": is a folder, not a scenario file\n";
    return std::nullopt;
  }
  std::string reason;
  auto text = files.ReadFile(path, &reason);
  if (!text) {
    err << path.string() << ": cannot read the scenario: " << reason << '\n';
  }
  return text;
}

void PrintProblems(const fs::path& file,
                   const std::vector<standin::ScenarioProblem>& problems,
                   const char* severity, std::ostream& err) {
  for (const auto& problem : problems) {
    err << file.string();
    if (problem.line > 0) err << ':' << problem.line;
    err << ": " << severity << ": " << problem.message << '\n';
  }
}

}  // namespace

int RunCommand(const RunArguments& arguments, std::ostream& out,
               std::ostream& err) {
  const auto inputs = ChooseInputs(arguments, err);
  if (!inputs) return kExitUsage;
  if (!CheckRoot(inputs->root, err)) return kExitInput;
  standin::DiskFileSystem files;
  const auto text = ReadText(files, inputs->scenario, err);
  if (!text) return kExitInput;

  standin::Scenario scenario = standin::ParseScenario(*text);
  for (const auto& vessel : scenario.vessels) {
    if (vessel.spawn_step > arguments.steps) {
      scenario.warnings.push_back(
          {vessel.line, "SPAWN_STEP " + std::to_string(vessel.spawn_step) +
                            " comes after the last step (" +
                            std::to_string(arguments.steps) +
                            "): " + vessel.name + " never appears"});
    }
  }
  PrintProblems(inputs->scenario, scenario.errors, "error", err);
  PrintProblems(inputs->scenario, scenario.warnings, "warning", err);
  if (!scenario.errors.empty()) return kExitInput;

  standin::SessionOptions options;
  options.root = inputs->root;
  options.plugin =
      arguments.plugin.value_or((ExecutableFolder() / "Modules" / "Plugin" /
                                 standin::PluginLibrary::FileName("Vantrel"))
                                    .string());
  options.steps = arguments.steps;
  options.log_file = arguments.log_file;
  standin::SessionError error;
  const auto result = standin::RunSession(scenario, options, &error);
  if (!result) {
    err << "vantrel run: " << error.message << '\n';
    return error.kind == standin::SessionError::Kind::kLogFile ? kExitInput
                                                               : kExitPlugin;
  }
  PrintRunReport(*result, arguments.steps, out);

  if (result->files_left_open > 0) {
    err << "vantrel run: the module left " << result->files_left_open
        << " file handle(s) open\n";
  }
  if (!result->faults.empty() || result->files_left_open > 0) {
    err << "vantrel run: the module broke the host's rules "
        << result->faults.size() << " time(s); see above\n";
    return kExitFindings;
  }
  return kExitOk;
}
