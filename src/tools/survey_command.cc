#include "survey_command.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <set>
#include <thread>

#include "asked_output.h"
#include "command_options.h"
#include "definition_file_check.h"
#include "executable_path.h"
#include "exit_codes.h"
#include "host_folder.h"
#include "host_paths.h"
#include "installation_survey.h"
#include "item_file.h"
#include "output_guard.h"
#include "read_recorder.h"
#include "scenario.h"
#include "session.h"
#include "survey_page.h"
#include "survey_report.h"
#include "text_encoding.h"
#include "vessel_account.h"

namespace tools {

namespace {

namespace fs = std::filesystem;
using EntryType = standin::FileSystem::EntryType;

// A scenario file read and parsed, with its name as the simulator gives it.
struct ScenarioFile {
  std::string name;
  standin::Scenario scenario;
};

// Every scenario below `folder` that can be read and has no errors; the
// others are named in `left_out`, their problems said on `err`.
std::vector<ScenarioFile> ReadScenarios(standin::FileSystem& files,
                                        const fs::path& folder,
                                        std::vector<std::string>& left_out,
                                        std::ostream& err) {
  std::vector<ScenarioFile> scenarios;
  const auto tree = files.EntriesBelow(folder);
  if (!tree) {
    left_out.push_back(folder.string() + ": cannot list the folder");
    err << left_out.back() << '\n';
    return scenarios;
  }
  for (const fs::path& file : tree->files) {
    if (standin::FoldCase(file.extension().string()) != ".scn") continue;
    std::string reason;
    const auto text = files.ReadFile(file, &reason);
    std::optional<std::string> problem;
    if (!text) {
      problem = file.string() + ": cannot read the scenario: " + reason;
    } else if (const auto utf16 = standin::Utf16Problem(*text)) {
      problem = file.string() + ": error: " + *utf16;
    }
    ScenarioFile read{standin::ScenarioName(file, folder), {}};
    if (!problem) {
      read.scenario = standin::ParseScenario(*text);
      for (const auto& error : read.scenario.errors) {
        err << file.string() << ':' << error.line
            << ": error: " << error.message << '\n';
      }
      if (!read.scenario.errors.empty()) {
        problem = file.string() + ": " +
                  std::to_string(read.scenario.errors.size()) + " error(s)";
      }
    } else {
      err << *problem << '\n';
    }
    if (problem) {
      left_out.push_back(*problem);
      continue;
    }
    scenarios.push_back(std::move(read));
  }
  return scenarios;
}

CheckCounts CheckOf(standin::FileSystem& files, const fs::path& root,
                    const std::string& asked) {
  CheckCounts counts;
  const auto path = standin::ResolveHostPath(files, root, "Config" + asked);
  if (!path) return counts;
  for (const Diagnostic& d : CheckDefinitionFile(files, *path)) {
    ++(d.severity == Severity::kError ? counts.errors : counts.warnings);
  }
  return counts;
}

// The page the user asked for, if any; after a refusal, the command line
// the user most likely meant.
std::optional<OutputRequest> PageRequest(const SurveyArguments& arguments) {
  if (!arguments.html) return std::nullopt;
  return OutputRequest{
      "vantrel survey", "the page", *arguments.html,
      "name a new file for the page:\n    " +
          CommandLineOf("survey", arguments.root, std::nullopt, std::nullopt) +
          " --html survey.html"};
}

}  // namespace

int SurveyCommand(const SurveyArguments& arguments, standin::FileSystem& disk,
                  std::ostream& out, std::ostream& err) {
  const fs::path root = HostFolder(arguments.root);
  standin::ReadRecorder files(&disk);
  if (!CheckHostFolder(files, root, err)) return kExitInput;
  const std::string plugin = arguments.plugin.value_or(DefaultPluginPath());
  files.Record(plugin);
  int exit_code = kExitOk;
  AskedOutput page;
  if (!page.Open(files, PageRequest(arguments), root, err, exit_code)) {
    return exit_code;
  }
  const auto folder = standin::ResolveHostPath(files, root, "Scenarios");
  if (!folder || files.TypeOf(*folder) != EntryType::kFolder) {
    err << (root / "Scenarios").string()
        << ": no such folder; name the simulator's folder with --root\n";
    return kExitInput;
  }

  SurveySummary summary;
  summary.root = root.string();
  std::vector<ScenarioFile> read =
      ReadScenarios(files, *folder, summary.left_out, err);
  std::vector<standin::Scenario> scenarios;
  for (const ScenarioFile& file : read) scenarios.push_back(file.scenario);
  standin::SessionOptions options;
  options.root = root;
  options.plugin = plugin;
  options.files = &files;
  options.faults_to = &err;
  std::string error;
  const auto run = standin::RunScenarios(scenarios, options, &error);
  if (!run) {
    err << "vantrel survey: " << error << '\n';
    return kExitPlugin;
  }

  vessel::BodyCatalog bodies(files, root);
  std::vector<SurveyedScenario> surveyed;
  std::set<std::string> warned;
  std::size_t faults = run->faults.size();
  for (std::size_t i = 0; i < read.size(); ++i) {
    const standin::SessionResult& simulation = run->simulations[i];
    surveyed.push_back(
        {read[i].name, simulation.vessels, AccountVessels(simulation, bodies)});
    faults += simulation.faults.size() + simulation.files_left_open;
    for (const auto& warning : simulation.warnings) {
      const std::string line = standin::FormatProblem(warning);
      if (warned.insert(line).second) err << line << '\n';
    }
  }
  summary.scenarios = static_cast<int>(surveyed.size());
  const std::vector<SurveyRow> rows = GatherSurvey(
      surveyed,
      [&](const std::string& asked) { return CheckOf(files, root, asked); },
      std::thread::hardware_concurrency());

  if (arguments.json) {
    PrintSurveyJson(summary, rows, out);
  } else {
    PrintSurveyTable(summary, rows, out);
  }
  if (page) {
    // A failed append fails the commit, which says why.
    page.get()->Append(SurveyPage(summary, rows));
    page.Commit(files, root, err, exit_code);
  }
  if (faults > 0) {
    err << "vantrel survey: the module broke the host's rules " << faults
        << " time(s); vantrel run on a scenario shows where\n";
    exit_code = MoreSerious(exit_code, kExitFindings);
  }
  if (!summary.left_out.empty()) {
    exit_code = MoreSerious(exit_code, kExitInput);
  }
  // Vessels on a body whose gravity cannot be known are not judged.
  for (const standin::Problem& problem : bodies.problems()) {
    err << standin::FormatProblem(problem) << '\n';
    exit_code = MoreSerious(exit_code, kExitInput);
  }
  return exit_code;
}

namespace {

void AddSurveyOptions(CLI::App& command, SurveyArguments& arguments) {
  AddRootOption(command, arguments.root);
  command.add_flag("--json", arguments.json, "Print the survey as JSON");
  command
      .add_option("--html", arguments.html,
                  "Also write the survey as one web page, sortable by column, "
                  "with each definition's drawing, into FILE")
      ->type_name("FILE");
  AddPluginOption(command, arguments.plugin);
}

}  // namespace

const Command kSurveyCommand = {
    "survey",
    "Run every scenario below DIR/Scenarios with the plug-in and list each "
    "vessel class they use: scenarios, vessels, the definition that applies "
    "and what check says of it, the mass, and the drop test's verdict "
    "without and with the definition.",
    AddCommand<SurveyArguments, SurveyCommand, AddSurveyOptions>};

}  // namespace tools
