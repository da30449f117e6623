#include "run_command.h"

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <system_error>

#include "disk_file_system.h"
#include "executable_path.h"
#include "exit_codes.h"
#include "host_paths.h"
#include "item_file.h"
#include "output_guard.h"
#include "read_recorder.h"
#include "run_report.h"
#include "scenario.h"
#include "session.h"
#include "text_encoding.h"
#include "vessel_account.h"
#include "vessel_mass.h"

namespace tools {

namespace {

namespace fs = std::filesystem;

bool CheckRoot(const fs::path& root, std::ostream& err) {
  std::error_code error;
  fs::directory_iterator listing(root, error);
  if (error) {
    err << standin::ShownPath(root)
        << ": cannot read the host folder: " << error.message() << '\n';
    return false;
  }
  return true;
}

struct Inputs {
  fs::path root;
  std::vector<fs::path> scenarios;
};

bool EndsWithScn(const std::string& name) {
  return name.size() >= 4 &&
         standin::FoldCase(name.substr(name.size() - 4)) == ".scn";
}

// A place where a scenario was looked for, and what is there.
struct ScenarioPlace {
  fs::path shown;                // as the message names it
  std::optional<fs::path> disk;  // what lies there, if anything
};

// The places a scenario name may mean, in order: the name as given, then
// in DIR/Scenarios/ as the simulator names scenarios (its '\' separators
// and names without regard to case); each as written and with ".scn".
std::vector<ScenarioPlace> ScenarioPlaces(standin::FileSystem& files,
                                          const std::string& name,
                                          const fs::path& root) {
  std::vector<std::string> spellings{name};
  if (!EndsWithScn(name)) spellings.push_back(name + ".scn");
  std::vector<ScenarioPlace> places;
  for (const std::string& spelling : spellings) {
    const fs::path path = standin::PathOfHostText(spelling);
    places.push_back({path, path});
  }
  for (const std::string& spelling : spellings) {
    const fs::path shown =
        root / "Scenarios" / standin::PathOfHostText(spelling);
    // An absolute name stays itself below the root: it is tried once.
    const auto same = [&shown](const ScenarioPlace& place) {
      return place.shown.lexically_normal() == shown.lexically_normal();
    };
    if (std::any_of(places.begin(), places.end(), same)) continue;
    places.push_back({shown, standin::ResolveHostPath(
                                 files, root, "Scenarios\\" + spelling)});
  }
  return places;
}

// The scenario file a name means, or nothing after listing the places
// tried.
std::optional<fs::path> FindScenario(standin::FileSystem& files,
                                     const std::string& name,
                                     const fs::path& root, std::ostream& err) {
  using EntryType = standin::FileSystem::EntryType;
  const std::vector<ScenarioPlace> places = ScenarioPlaces(files, name, root);
  for (const ScenarioPlace& place : places) {
    if (place.disk && files.TypeOf(*place.disk) == EntryType::kFile) {
      return *place.disk;
    }
  }
  err << "vantrel run: no scenario file '" << name << "'; tried:\n";
  for (const ScenarioPlace& place : places) {
    const EntryType type =
        place.disk ? files.TypeOf(*place.disk) : EntryType::kNone;
    const bool folder = type == EntryType::kFolder;
    const bool other = type == EntryType::kOther;
    err << "  " << standin::ShownPath(place.shown)
        << (folder  ? "  (a folder)"
            : other ? "  (not a file)"
                    : "")
        << '\n';
  }
  return std::nullopt;
}

// The host folder of a scenario in a host folder's Scenarios folder, at
// any depth; else the current folder.
fs::path HostFolderOf(const fs::path& scenario) {
  const fs::path absolute = fs::absolute(scenario).lexically_normal();
  for (fs::path folder = absolute.parent_path(); folder.has_relative_path();
       folder = folder.parent_path()) {
    if (standin::FoldCase(standin::ShownPath(folder.filename())) ==
        "scenarios") {
      return folder.parent_path();
    }
  }
  return fs::current_path();
}

// The host folder and scenarios to run, or nothing after saying why.
std::optional<Inputs> ChooseInputs(standin::FileSystem& files,
                                   const RunArguments& arguments,
                                   std::ostream& err, int& exit_code) {
  exit_code = kExitUsage;
  if (!arguments.root && arguments.scenarios.empty()) {
    const fs::path example = ExecutableFolder() / "examples";
    return Inputs{example, {example / "Scenarios" / "Demo.scn"}};
  }
  if (arguments.scenarios.empty()) {
    err << "vantrel run: name the scenario to run in " << *arguments.root
        << '\n';
    return std::nullopt;
  }
  exit_code = kExitInput;
  std::optional<fs::path> root;
  if (arguments.root) {
    root = standin::PathOfHostText(*arguments.root);
    if (!CheckRoot(*root, err)) return std::nullopt;
  }
  Inputs inputs;
  for (const std::string& name : arguments.scenarios) {
    // Without a host folder, the current one holds the scenarios.
    const auto scenario =
        FindScenario(files, name, root.value_or(fs::path(".")), err);
    if (!scenario) return std::nullopt;
    inputs.scenarios.push_back(*scenario);
  }
  if (root) {
    inputs.root = *root;
    return inputs;
  }
  // One program run has one host folder: the first scenario's.
  inputs.root = HostFolderOf(inputs.scenarios.front());
  for (const fs::path& scenario : inputs.scenarios) {
    if (HostFolderOf(scenario) != inputs.root) {
      err << "vantrel run: " << standin::ShownPath(scenario)
          << " lies in another host folder than "
          << standin::ShownPath(inputs.scenarios.front())
          << "; name the host folder with --root\n";
      return std::nullopt;
    }
  }
  return inputs;
}

std::optional<std::string> ReadText(standin::FileSystem& files,
                                    const fs::path& path, std::ostream& err) {
  if (files.TypeOf(path) == standin::FileSystem::EntryType::kFolder) {
    err << standin::ShownPath(path) << ": is a folder, not a scenario file\n";
    return std::nullopt;
  }
  std::string reason;
  auto text = files.ReadFile(path, &reason);
  if (!text) {
    err << standin::ShownPath(path) << ": cannot read the scenario: " << reason
        << '\n';
    return std::nullopt;
  }
  if (const auto problem = standin::Utf16Problem(*text)) {
    err << standin::ShownPath(path) << ": error: " << *problem << '\n';
    return std::nullopt;
  }
  return text;
}

// One warning for the vessels whose SPAWN_STEP comes after the last step,
// however many they are.
void WarnAboutLateVessels(int steps, standin::Scenario& scenario) {
  constexpr std::size_t kNamesShown = 5;
  std::vector<const standin::ScenarioVessel*> late;
  for (const auto& vessel : scenario.vessels) {
    if (vessel.spawn_step > steps) late.push_back(&vessel);
  }
  if (late.empty()) return;
  const std::string last =
      " comes after the last step (" + std::to_string(steps) + ")";
  if (late.size() == 1) {
    scenario.warnings.push_back(standin::Problem::Warning(
        "", late[0]->line,
        "SPAWN_STEP " + std::to_string(late[0]->spawn_step) + last + ": " +
            late[0]->name + " never appears"));
    return;
  }
  std::string names;
  for (std::size_t i = 0; i < late.size() && i < kNamesShown; ++i) {
    names += (i == 0 ? "" : ", ") + late[i]->name;
  }
  if (late.size() > kNamesShown) {
    names += " and " + std::to_string(late.size() - kNamesShown) + " more";
  }
  scenario.warnings.push_back(standin::Problem::Warning(
      "", late[0]->line,
      std::to_string(late.size()) +
          " vessels never appear: the SPAWN_STEP of each" + last + " (" +
          names + ")"));
}

void PrintProblems(const fs::path& file,
                   const std::vector<standin::Problem>& problems,
                   std::ostream& err) {
  for (standin::Problem problem : problems) {
    problem.file = standin::ShownPath(file);
    err << standin::FormatProblem(problem) << '\n';
  }
}

// The command line a user who gave --log a scenario most likely meant: the
// scenario to run, and a log of its own.
std::string LogHint(const RunArguments& arguments) {
  std::string command = "vantrel run";
  if (arguments.root) command += " --root " + Quoted(*arguments.root);
  if (arguments.steps != standin::kSweepStep) {
    command += " --steps " + std::to_string(arguments.steps);
  }
  if (LooksLikeScenario(*arguments.log_file)) {
    const std::string log =
        standin::ShownPath(standin::PathOfHostText(*arguments.log_file)
                               .filename()
                               .replace_extension(".log"));
    std::string scenarios;
    for (const std::string& scenario : arguments.scenarios) {
      scenarios += " " + Quoted(scenario);
    }
    if (scenarios.empty()) scenarios = " " + Quoted(*arguments.log_file);
    return "to run" + scenarios +
           " and keep its log, give the log a name of its own:\n    " +
           command + " --log " + Quoted(log) + scenarios;
  }
  command += " --log vantrel.log";
  for (const std::string& scenario : arguments.scenarios) {
    command += " " + Quoted(scenario);
  }
  return "name a new file for the log:\n    " + command;
}

}  // namespace

std::optional<std::pair<std::string, double>> ParseClassMass(
    const std::string& text) {
  const std::size_t equals = text.rfind('=');
  if (equals == std::string::npos || equals == 0) return std::nullopt;
  const auto mass = standin::ParseVesselMass(text.substr(equals + 1));
  if (!mass) return std::nullopt;
  return std::make_pair(text.substr(0, equals), *mass);
}

int RunCommand(const RunArguments& arguments, std::ostream& out,
               std::ostream& err) {
  standin::DiskFileSystem disk;
  standin::ReadRecorder files(&disk);
  int input_code = kExitOk;
  const auto inputs = ChooseInputs(files, arguments, err, input_code);
  if (!inputs) return input_code;
  if (!CheckRoot(inputs->root, err)) return kExitInput;

  std::vector<standin::Scenario> scenarios;
  bool errors = false;
  for (const fs::path& path : inputs->scenarios) {
    const auto text = ReadText(files, path, err);
    if (!text) return kExitInput;
    standin::Scenario scenario = standin::ParseScenario(*text);
    WarnAboutLateVessels(arguments.steps, scenario);
    PrintProblems(path, scenario.errors, err);
    PrintProblems(path, scenario.warnings, err);
    errors = errors || !scenario.errors.empty();
    scenarios.push_back(std::move(scenario));
  }
  if (errors) return kExitInput;

  int exit_code = kExitOk;
  standin::SessionOptions options;
  options.root = inputs->root;
  options.plugin = arguments.plugin.value_or(DefaultPluginPath());
  options.steps = arguments.steps;
  options.files = &files;
  options.faults_to = &err;
  files.Record(standin::PathOfHostText(options.plugin));
  std::unique_ptr<standin::FileSystem::Output> log;
  OutputRequest log_request;
  if (arguments.log_file) {
    log_request = {"vantrel run", "the log file", *arguments.log_file,
                   LogHint(arguments)};
    log = OpenOutput(files, log_request, inputs->root, err, exit_code);
    if (!log) return exit_code;
  }
  options.log_output = log.get();
  options.edition = arguments.edition;
  for (const std::string& given : arguments.class_masses) {
    const auto class_mass = ParseClassMass(given);
    if (!class_mass) {
      err << "vantrel run: --mass '" << given
          << "' is not CLASS=KG with a positive, finite number of kg\n";
      return kExitUsage;
    }
    options.class_masses[standin::FoldCase(class_mass->first)] =
        class_mass->second;
  }
  std::string error;
  const auto result = standin::RunScenarios(scenarios, options, &error);
  if (!result) {
    err << "vantrel run: " << error << '\n';
    return kExitPlugin;
  }
  // A log that could not be written leaves the report and the broken
  // rules to say.
  if (log) CommitOutput(files, *log, log_request, inputs->root, err, exit_code);
  std::size_t faults = result->faults.size();
  std::size_t files_left_open = 0;
  const std::size_t count = result->simulations.size();
  for (std::size_t i = 0; i < count; ++i) {
    const standin::SessionResult& simulation = result->simulations[i];
    if (count > 1) {
      out << (i == 0 ? "" : "\n") << "Simulation " << i + 1 << " of " << count
          << ": " << standin::ShownPath(inputs->scenarios[i]) << "\n\n";
    }
    PrintRunWarnings(simulation, err);
    PrintRunReport(simulation, AccountVessels(simulation), arguments.steps,
                   out);
    faults += simulation.faults.size();
    files_left_open += simulation.files_left_open;
  }
  if (!result->unload_log.empty()) {
    out << "\nHost log at unloading (" << LineCount(result->unload_log.size())
        << ")\n";
    for (const std::string& line : result->unload_log) {
      out << "    " << line << '\n';
    }
  }

  if (files_left_open > 0) {
    err << "vantrel run: the module left " << files_left_open
        << " file handle(s) open\n";
  }
  if (faults > 0 || files_left_open > 0) {
    err << "vantrel run: the module broke the host's rules " << faults
        << " time(s); see above\n";
    exit_code = MoreSerious(exit_code, kExitFindings);
  }
  return exit_code;
}

}  // namespace tools
