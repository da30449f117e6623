#include "tools/run_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <filesystem>
#include <sstream>

#include "analysis/passed_over.h"
#include "analysis/vessel_account.h"
#include "files/host_paths.h"
#include "files/read_recorder.h"
#include "formats/item_file.h"
#include "formats/scenario.h"
#include "formats/text_encoding.h"
#include "formats/vessel_mass.h"
#include "report/run_report.h"
#include "report/run_summary.h"
#include "report/unload_report.h"
#include "standin/session.h"
#include "tools/asked_output.h"
#include "tools/command_options.h"
#include "tools/executable_path.h"
#include "tools/exit_codes.h"
#include "tools/host_folder.h"
#include "tools/output_guard.h"

namespace tools {

namespace {

namespace fs = std::filesystem;

struct Inputs {
  fs::path root;
  std::vector<fs::path> scenarios;
};

// The scenario file a name means, or nothing after listing the places
// tried.
std::optional<fs::path> FindScenario(files::FileSystem& files,
                                     const std::string& name,
                                     const fs::path& root, std::ostream& err) {
  using EntryType = files::FileSystem::EntryType;
  const auto places = files::ScenarioPlaces(files, name, root);
  for (const files::ScenarioPlace& place : places) {
    if (place.disk && files.TypeOf(*place.disk) == EntryType::kFile) {
      return *place.disk;
    }
  }
  err << "vantrel run: no scenario file '" << name << "'; tried:\n";
  for (const files::ScenarioPlace& place : places) {
    const EntryType type =
        place.disk ? files.TypeOf(*place.disk) : EntryType::kNone;
    const bool folder = type == EntryType::kFolder;
    const bool other = type == EntryType::kOther;
    err << "  " << formats::ShownPath(place.shown)
        << (folder  ? "  (a folder)"
            : other ? "  (not a file)"
                    : "")
        << '\n';
  }
  return std::nullopt;
}

// The host folder and scenarios to run, or nothing after saying why.
std::optional<Inputs> ChooseInputs(files::FileSystem& files,
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
    root = HostFolder(arguments.root);
    if (!CheckHostFolder(files, *root, err)) return std::nullopt;
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
  inputs.root = files::HostFolderOfScenario(inputs.scenarios.front());
  for (const fs::path& scenario : inputs.scenarios) {
    if (files::HostFolderOfScenario(scenario) != inputs.root) {
      err << "vantrel run: " << formats::ShownPath(scenario)
          << " lies in another host folder than "
          << formats::ShownPath(inputs.scenarios.front())
          << "; name the host folder with --root\n";
      return std::nullopt;
    }
  }
  return inputs;
}

std::optional<std::string> ReadText(files::FileSystem& files,
                                    const fs::path& path, std::ostream& err) {
  if (files.TypeOf(path) == files::FileSystem::EntryType::kFolder) {
    err << formats::ShownPath(path) << ": is a folder, not a scenario file\n";
    return std::nullopt;
  }
  std::string reason;
  auto text = files.ReadFile(path, &reason);
  if (!text) {
    err << formats::ShownPath(path) << ": cannot read the scenario: " << reason
        << '\n';
    return std::nullopt;
  }
  if (const auto problem = formats::Utf16Problem(*text)) {
    err << formats::ShownPath(path) << ": error: " << *problem << '\n';
    return std::nullopt;
  }
  return text;
}

// One warning for the vessels whose SPAWN_STEP comes after the last step,
// however many they are.
void WarnAboutLateVessels(int steps, formats::Scenario& scenario) {
  constexpr std::size_t kNamesShown = 5;
  std::vector<const formats::ScenarioVessel*> late;
  for (const auto& vessel : scenario.vessels) {
    if (vessel.spawn_step > steps) late.push_back(&vessel);
  }
  if (late.empty()) return;
  const std::string last =
      " comes after the last step (" + std::to_string(steps) + ")";
  if (late.size() == 1) {
    scenario.warnings.push_back(formats::Problem::Warning(
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
  scenario.warnings.push_back(formats::Problem::Warning(
      "", late[0]->line,
      std::to_string(late.size()) +
          " vessels never appear: the SPAWN_STEP of each" + last + " (" +
          names + ")"));
}

void PrintProblems(const fs::path& file,
                   const std::vector<formats::Problem>& problems,
                   std::ostream& err) {
  for (formats::Problem problem : problems) {
    problem.file = formats::ShownPath(file);
    err << formats::FormatProblem(problem) << '\n';
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
        formats::ShownPath(formats::PathOfHostText(*arguments.log_file)
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

// The log file the user asked for, if any.
std::optional<OutputRequest> LogRequest(const RunArguments& arguments) {
  if (!arguments.log_file) return std::nullopt;
  return OutputRequest{"vantrel run", "the log file", *arguments.log_file,
                       LogHint(arguments)};
}

}  // namespace

int RunCommand(const RunArguments& arguments, files::FileSystem& disk,
               std::ostream& out, std::ostream& err) {
  files::ReadRecorder files(&disk);
  int input_code = kExitOk;
  const auto inputs = ChooseInputs(files, arguments, err, input_code);
  if (!inputs) return input_code;
  if (!CheckHostFolder(files, inputs->root, err)) return kExitInput;

  std::vector<formats::Scenario> scenarios;
  bool errors = false;
  for (const fs::path& path : inputs->scenarios) {
    const auto text = ReadText(files, path, err);
    if (!text) return kExitInput;
    formats::Scenario scenario = formats::ParseScenario(*text);
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
  files.Record(formats::PathOfHostText(options.plugin));
  AskedOutput log;
  if (!log.Open(files, LogRequest(arguments), inputs->root, err, exit_code)) {
    return exit_code;
  }
  options.log_output = log.get();
  options.edition = arguments.edition;
  options.class_masses = ClassMassesOf(arguments.class_masses);
  std::string error;
  const auto result = standin::RunScenarios(scenarios, options, &error);
  if (!result) {
    err << "vantrel run: " << error << '\n';
    return kExitPlugin;
  }
  // A log that could not be written leaves the report and the broken
  // rules to say.
  log.Commit(files, inputs->root, err, exit_code);
  vessel::BodyCatalog bodies(files, inputs->root);
  std::size_t faults = result->faults.size();
  std::size_t files_left_open = 0;
  const std::size_t count = result->simulations.size();
  analysis::PassedOverExplainer passed_over(files);
  report::RunSummary summary;
  summary.AddFaults(result->faults.size());
  for (std::size_t i = 0; i < count; ++i) {
    const standin::SessionResult& simulation = result->simulations[i];
    report::PrintRunWarnings(simulation, err);
    std::vector<analysis::VesselAccount> accounts =
        analysis::AccountVessels(simulation, bodies);
    summary.Add(simulation, accounts);
    faults += simulation.faults.size();
    files_left_open += simulation.files_left_open;
    if (arguments.quiet) continue;
    if (count > 1) {
      out << (i == 0 ? "" : "\n") << "Simulation " << i + 1 << " of " << count
          << ": " << formats::ShownPath(inputs->scenarios[i]) << "\n\n";
    }
    passed_over.Explain(accounts);
    report::PrintRunReport(simulation, accounts, arguments.steps, out);
  }
  if (!arguments.quiet) {
    report::PrintUnloading(result->unload_log, result->unloading, out);
  }
  if (!arguments.quiet && count > 1) out << '\n';
  if (arguments.quiet || count > 1) summary.Print(out);

  // A body whose gravity cannot be known leaves its vessels' line short.
  for (const formats::Problem& problem : bodies.problems()) {
    err << formats::FormatProblem(problem) << '\n';
    exit_code = MoreSerious(exit_code, kExitInput);
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

namespace {

void AddRunOptions(CLI::App& command, RunArguments& arguments) {
  AddRootOption(command, arguments.root,
                "Host folder; definitions are read from DIR/Config/Vantrel/");
  command
      .add_option("--steps", arguments.steps,
                  "Simulation steps to run; the sweep over all vessels "
                  "happens in step " +
                      std::to_string(rules::kSweepStep))
      ->check(CLI::Range(0, 1000000))
      ->capture_default_str();
  command
      .add_option("--log", arguments.log_file,
                  "Also write the module's log lines to FILE")
      ->type_name("FILE");
  AddClassMassOption(command, arguments.class_masses,
                     "The empty mass in kg of every vessel of CLASS, for "
                     "classes whose module sets it in code (repeatable; "
                     "propellant is added; a scenario's MASS line wins)");
  AddPluginOption(command, arguments.plugin);
  command.add_flag("--quiet", arguments.quiet,
                   "Print only the summary: the scenarios, the vessels and "
                   "how each got its points, the files passed over, the "
                   "keys refused and the faults");
  command
      .add_option_function<std::string>(
          "--edition",
          [&arguments](const std::string& edition) {
            arguments.edition = edition == "current"
                                    ? standin::Edition::kCurrent
                                    : standin::Edition::k2016;
          },
          "Host edition, which decides how the plug-in is unloaded: "
          "2016 deletes the module object itself, current leaves it to the "
          "plug-in's ExitModule")
      ->check(CLI::IsMember({"2016", "current"}))
      ->type_name("2016|current")
      ->default_str("2016");
  command
      .add_option("scenario", arguments.scenarios,
                  "Scenario files, or the scenarios' names as the simulator "
                  "gives them: paths below DIR/Scenarios/, with or without "
                  ".scn. Several run one after another with the plug-in "
                  "loaded once, as a player starts them from the Launchpad")
      ->type_name("SCENARIO...");
}

}  // namespace

const Command kRunCommand = {
    "run",
    "Run a scenario with the plug-in loaded and show the host log and the "
    "touchdown points every vessel got. Without arguments, runs the bundled "
    "example.",
    AddCommand<RunArguments, RunCommand, AddRunOptions>};

}  // namespace tools
