#include "tools/survey_command.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <set>
#include <thread>

#include "analysis/class_findings.h"
#include "analysis/definition_file_check.h"
#include "analysis/installation_survey.h"
#include "analysis/vessel_account.h"
#include "files/host_paths.h"
#include "files/read_recorder.h"
#include "formats/item_file.h"
#include "formats/scenario.h"
#include "formats/text_encoding.h"
#include "report/survey_page.h"
#include "report/survey_report.h"
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
using EntryType = files::FileSystem::EntryType;

// A scenario file read and parsed, with its name as the simulator gives it.
struct ScenarioFile {
  std::string name;
  formats::Scenario scenario;
};

// Every scenario below `folder` that can be read and has no errors; the
// others are named in `left_out`, their problems said on `err`.
std::vector<ScenarioFile> ReadScenarios(files::FileSystem& files,
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
    if (formats::FoldCase(file.extension().string()) != ".scn") continue;
    std::string reason;
    const auto text = files.ReadFile(file, &reason);
    std::optional<std::string> problem;
    if (!text) {
      problem = file.string() + ": cannot read the scenario: " + reason;
    } else if (const auto utf16 = formats::Utf16Problem(*text)) {
      problem = file.string() + ": error: " + *utf16;
    }
    ScenarioFile read{files::ScenarioName(file, folder), {}};
    if (!problem) {
      read.scenario = formats::ParseScenario(*text);
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

analysis::CheckCounts CheckOf(files::FileSystem& files, const fs::path& root,
                              const std::string& asked) {
  analysis::CheckCounts counts;
  const auto path = files::ResolveHostPath(files, root, "Config" + asked);
  if (!path) return counts;
  for (const analysis::Diagnostic& d :
       analysis::CheckDefinitionFile(files, *path)) {
    ++(d.severity == analysis::Severity::kError ? counts.errors
                                                : counts.warnings);
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

int SurveyCommand(const SurveyArguments& arguments, files::FileSystem& disk,
                  std::ostream& out, std::ostream& err) {
  const fs::path root = HostFolder(arguments.root);
  files::ReadRecorder files(&disk);
  if (!CheckHostFolder(files, root, err)) return kExitInput;
  const std::string plugin = arguments.plugin.value_or(DefaultPluginPath());
  files.Record(plugin);
  int exit_code = kExitOk;
  AskedOutput page;
  if (!page.Open(files, PageRequest(arguments), root, err, exit_code)) {
    return exit_code;
  }
  const auto folder = files::ResolveHostPath(files, root, "Scenarios");
  if (!folder || files.TypeOf(*folder) != EntryType::kFolder) {
    err << (root / "Scenarios").string()
        << ": no such folder; name the simulator's folder with --root\n";
    return kExitInput;
  }

  report::SurveySummary summary;
  summary.root = root.string();
  std::vector<ScenarioFile> read =
      ReadScenarios(files, *folder, summary.left_out, err);
  std::vector<formats::Scenario> scenarios;
  for (const ScenarioFile& file : read) scenarios.push_back(file.scenario);
  standin::SessionOptions options;
  options.root = root;
  options.plugin = plugin;
  options.files = &files;
  options.faults_to = &err;
  options.class_masses = ClassMassesOf(arguments.class_masses);
  std::string error;
  const auto run = standin::RunScenarios(scenarios, options, &error);
  if (!run) {
    err << "vantrel survey: " << error << '\n';
    return kExitPlugin;
  }

  vessel::BodyCatalog bodies(files, root);
  std::vector<analysis::SurveyedScenario> surveyed;
  std::set<std::string> warned;
  std::size_t faults = run->faults.size();
  for (std::size_t i = 0; i < read.size(); ++i) {
    const standin::SessionResult& simulation = run->simulations[i];
    surveyed.push_back({read[i].name, simulation.vessels,
                        analysis::AccountVessels(simulation, bodies)});
    faults += simulation.faults.size() + simulation.files_left_open;
    for (const auto& warning : simulation.warnings) {
      const std::string line = formats::FormatProblem(warning);
      if (warned.insert(line).second) err << line << '\n';
    }
  }
  summary.scenarios = static_cast<int>(surveyed.size());
  const std::vector<analysis::SurveyRow> rows = analysis::GatherSurvey(
      surveyed,
      [&](const std::string& asked) { return CheckOf(files, root, asked); },
      std::thread::hardware_concurrency());
  std::vector<analysis::ClassAndFile> classes;
  for (const analysis::SurveyRow& row : rows) {
    classes.push_back({row.class_name, row.example.model.class_file});
  }
  summary.class_files = analysis::CheckClassFiles(files, root, classes);

  if (arguments.json) {
    report::PrintSurveyJson(summary, rows, out);
  } else {
    report::PrintSurveyTable(summary, rows, out);
  }
  if (page) {
    // A failed append fails the commit, which says why.
    page.get()->Append(report::SurveyPage(summary, rows));
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
  for (const formats::Problem& problem : bodies.problems()) {
    err << formats::FormatProblem(problem) << '\n';
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
  AddClassMassOption(command, arguments.class_masses,
                     "The empty mass in kg of every vessel of CLASS, for "
                     "classes whose module sets it in code (repeatable; "
                     "propellant is added; a scenario's MASS line wins)");
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
