#include "tools/show_command.h"

#include <CLI/CLI.hpp>
#include <filesystem>

#include "analysis/passed_over.h"
#include "analysis/vessel_account.h"
#include "files/read_recorder.h"
#include "formats/text_encoding.h"
#include "report/run_report.h"
#include "report/show_report.h"
#include "standin/session.h"
#include "tools/asked_output.h"
#include "tools/command_options.h"
#include "tools/executable_path.h"
#include "tools/exit_codes.h"
#include "tools/host_folder.h"
#include "tools/output_guard.h"
#include "tools/single_vessel.h"

namespace tools {

namespace {

namespace fs = std::filesystem;

// The drawing the user asked for, if any. After a refusal, the command line
// the user most likely meant: the same one, drawing into a new file in the
// current folder.
std::optional<OutputRequest> SvgRequest(const ShowArguments& arguments) {
  if (!arguments.svg) return std::nullopt;
  const std::string command = CommandLineOf(
      "show", arguments.root, arguments.name, arguments.class_name);
  return OutputRequest{"vantrel show", "the drawing", *arguments.svg,
                       NewDrawingHint(command, *arguments.svg)};
}

}  // namespace

int ShowCommand(const ShowArguments& arguments, files::FileSystem& disk,
                std::ostream& out, std::ostream& err) {
  const fs::path root = HostFolder(arguments.root);
  if (!CheckHostFolder(disk, root, err)) return kExitInput;

  files::ReadRecorder files(&disk);
  vessel::BodyCatalog bodies(files, root, arguments.gravity);
  if (const auto& problem = bodies.Landed(arguments.body).problem) {
    err << formats::FormatProblem(*problem) << '\n';
    return kExitInput;
  }
  SingleVessel single;
  single.root = root;
  single.name = arguments.name;
  single.class_name = arguments.class_name;
  single.mass = arguments.mass;
  single.body = arguments.body;
  single.plugin = arguments.plugin.value_or(DefaultPluginPath());
  single.files = &files;
  files.Record(formats::PathOfHostText(single.plugin));
  int exit_code = kExitOk;
  AskedOutput svg;
  if (!svg.Open(files, SvgRequest(arguments), root, err, exit_code)) {
    return exit_code;
  }
  const auto result = RunSingleVessel(single, "show", err);
  if (!result) return kExitPlugin;
  const standin::VesselOutcome& outcome = result->vessels.front();
  std::vector<analysis::VesselAccount> accounts =
      analysis::AccountVessels(*result, bodies);
  analysis::PassedOverExplainer(files).Explain(accounts);
  const analysis::VesselAccount& account = accounts.front();
  const report::DroppedSet drop = report::ShowDrop(outcome, account.body);
  report::PrintShowReport(*result, outcome, account, files, drop, out);

  if (svg) {
    // A failed append fails the commit, which says why.
    svg.get()->Append(report::DrawShownVessel(outcome, drop.result));
    svg.Commit(files, root, err, exit_code);
  }
  // A drawing that could not be written does not hide broken rules.
  if (!result->faults.empty() || result->files_left_open > 0) {
    err << "vantrel show: the module broke the host's rules; see above\n";
    exit_code = MoreSerious(exit_code, kExitFindings);
  }
  return exit_code;
}

namespace {

void AddShowOptions(CLI::App& command, ShowArguments& arguments) {
  AddRootOption(command, arguments.root);
  command.add_option("--name", arguments.name, "The vessel's name")->required();
  command.add_option("--class", arguments.class_name,
                     "The vessel's class (default: its name, as the host "
                     "does)");
  AddMassOption(command, arguments.mass,
                "The vessel's mass in kg (default: from its class file, "
                "Config/Vessels/CLASS.cfg, as vantrel run finds it)");
  AddBodyOptions(command, arguments.body, arguments.gravity);
  command
      .add_option("--svg", arguments.svg,
                  "Also draw the points, in three views, into FILE")
      ->type_name("FILE");
  AddPluginOption(command, arguments.plugin);
}

}  // namespace

const Command kShowCommand = {
    "show",
    "Run the plug-in on one vessel and explain what it got: the files tried, "
    "the points handed to the host and where each value came from, and how "
    "the vessel rests on them.",
    AddCommand<ShowArguments, ShowCommand, AddShowOptions>};

}  // namespace tools
