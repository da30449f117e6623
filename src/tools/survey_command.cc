#include "survey_command.h"

#include <filesystem>
#include <set>
#include <thread>

#include "definition_file_check.h"
#include "disk_file_system.h"
#include "executable_path.h"
#include "exit_codes.h"
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

// The scenario's name: its path below Scenarios, '\' between folders,
// without ".scn".
std::string ScenarioName(const fs::path& file, const fs::path& folder) {
  std::string name = file.lexically_relative(folder).generic_string();
  for (char& c : name) c = c == '/' ? '\\' : c;
  return name.substr(0, name.size() - 4);
}

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
    ScenarioFile read{ScenarioName(file, folder), {}};
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

std::string PageHint(const SurveyArguments& arguments) {
  std::string command = "vantrel survey";
  if (arguments.root) command += " --root " + Quoted(*arguments.root);
  return "name a new file for the page:\n    " + command +
         " --html survey.html";
}

}  // namespace

int SurveyCommand(const SurveyArguments& arguments, std::ostream& out,
                  std::ostream& err) {
  const fs::path root = arguments.root.value_or(".");
  standin::DiskFileSystem disk;
  standin::ReadRecorder files(&disk);
  if (files.TypeOf(root) != EntryType::kFolder) {
    err << root.string() << ": cannot read the host folder\n";
    return kExitInput;
  }
  const std::string plugin = arguments.plugin.value_or(DefaultPluginPath());
  files.Record(plugin);
  int exit_code = kExitOk;
  std::unique_ptr<standin::FileSystem::Output> page;
  OutputRequest page_request;
  if (arguments.html) {
    page_request = {"vantrel survey", "the page", *arguments.html,
                    PageHint(arguments)};
    page = OpenOutput(files, page_request, root, err, exit_code);
    if (!page) return exit_code;
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

  std::vector<SurveyedScenario> surveyed;
  std::set<std::string> warned;
  std::size_t faults = run->faults.size();
  for (std::size_t i = 0; i < read.size(); ++i) {
    const standin::SessionResult& simulation = run->simulations[i];
    surveyed.push_back(
        {read[i].name, simulation.vessels, AccountVessels(simulation)});
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
    page->Append(SurveyPage(summary, rows));
    CommitOutput(files, *page, page_request, root, err, exit_code);
  }
  if (faults > 0) {
    err << "vantrel survey: the module broke the host's rules " << faults
        << " time(s); vantrel run on a scenario shows where\n";
    exit_code = MoreSerious(exit_code, kExitFindings);
  }
  if (!summary.left_out.empty()) {
    exit_code = MoreSerious(exit_code, kExitInput);
  }
  return exit_code;
}

}  // namespace tools
