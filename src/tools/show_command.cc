#include "show_command.h"

#include <filesystem>
#include <system_error>

#include "disk_file_system.h"
#include "executable_path.h"
#include "exit_codes.h"
#include "output_guard.h"
#include "read_recorder.h"
#include "run_report.h"
#include "session.h"
#include "show_report.h"
#include "single_vessel.h"
#include "text_encoding.h"
#include "vessel_account.h"

namespace tools {

namespace {

namespace fs = std::filesystem;

// The command line a user most likely meant when the drawing was refused:
// the same one, drawing into a new file in the current folder.
std::string SvgHint(const ShowArguments& arguments) {
  std::string command = "vantrel show";
  if (arguments.root) command += " --root " + Quoted(*arguments.root);
  command += " --name " + Quoted(arguments.name);
  if (arguments.class_name) {
    command += " --class " + Quoted(*arguments.class_name);
  }
  return NewDrawingHint(command, *arguments.svg);
}

}  // namespace

int ShowCommand(const ShowArguments& arguments, std::ostream& out,
                std::ostream& err) {
  const fs::path root = standin::PathOfHostText(arguments.root.value_or("."));
  std::error_code error;
  if (!fs::is_directory(root, error)) {
    err << standin::ShownPath(root) << ": cannot read the host folder\n";
    return kExitInput;
  }

  SingleVessel single;
  single.root = root;
  single.name = arguments.name;
  single.class_name = arguments.class_name;
  single.mass = arguments.mass;
  single.plugin = arguments.plugin.value_or(DefaultPluginPath());
  standin::DiskFileSystem disk;
  standin::ReadRecorder files(&disk);
  single.files = &files;
  files.Record(standin::PathOfHostText(single.plugin));
  int exit_code = kExitOk;
  std::unique_ptr<standin::FileSystem::Output> svg;
  OutputRequest svg_request;
  if (arguments.svg) {
    svg_request = {"vantrel show", "the drawing", *arguments.svg,
                   SvgHint(arguments)};
    svg = OpenOutput(files, svg_request, root, err, exit_code);
    if (!svg) return exit_code;
  }
  const auto result = RunSingleVessel(single, "show", err);
  if (!result) return kExitPlugin;
  const standin::VesselOutcome& outcome = result->vessels.front();
  const DroppedSet drop = ShowDrop(outcome);
  PrintShowReport(*result, outcome, AccountVessels(*result).front(), files,
                  drop, out);

  if (svg) {
    // A failed append fails the commit, which says why.
    svg->Append(DrawShownVessel(outcome, drop.result));
    CommitOutput(files, *svg, svg_request, root, err, exit_code);
  }
  // A drawing that could not be written does not hide broken rules.
  if (!result->faults.empty() || result->files_left_open > 0) {
    err << "vantrel show: the module broke the host's rules; see above\n";
    exit_code = MoreSerious(exit_code, kExitFindings);
  }
  return exit_code;
}

}  // namespace tools
