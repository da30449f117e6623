#include "tools/init_command.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <vector>

#include "analysis/definition_file_check.h"
#include "analysis/definition_reading.h"
#include "analysis/physics_points.h"
#include "analysis/verdict_text.h"
#include "files/host_paths.h"
#include "formats/item_file.h"
#include "formats/number_text.h"
#include "formats/text_encoding.h"
#include "report/body_text.h"
#include "report/diagnostic_output.h"
#include "report/drop_report.h"
#include "report/slope_text.h"
#include "rules/definition_rules.h"
#include "slope/slope_answer.h"
#include "tools/command_options.h"
#include "tools/exit_codes.h"
#include "tools/host_folder.h"
#include "tools/output_guard.h"
#include "vessel/class_file.h"
#include "vessel/mesh_file.h"
#include "vessel/starting_definition.h"
#include "vessel/starting_set.h"
#include "vessel/vessel_model.h"

namespace tools {

namespace {

namespace fs = std::filesystem;
using EntryType = files::FileSystem::EntryType;

// The mesh the set is made from, and its name in messages and comments.
struct MeshInput {
  std::optional<vessel::Mesh> mesh;
  std::string file;
};

// The mesh of --mesh, else the class file's MeshName, found as the host
// finds files, into `input`; no mesh when neither names one. False after
// saying why when the mesh named cannot be read or is not a mesh.
bool ReadMesh(files::FileSystem& files, const fs::path& root,
              const InitArguments& arguments,
              const vessel::ClassFile& class_file, MeshInput& input,
              std::ostream& err) {
  std::string reason;
  std::optional<std::string> text;
  if (arguments.mesh) {
    input.file = *arguments.mesh;
    text = files.ReadFile(*arguments.mesh, &reason);
    if (!text) {
      err << input.file << ": cannot read the mesh: " << reason;
      // A name alone is read from the current folder, not from Meshes,
      // and with its extension: a class file's MeshName leaves ".msh" out.
      if (fs::path(*arguments.mesh).is_relative()) {
        for (const std::string& name :
             {*arguments.mesh, *arguments.mesh + ".msh"}) {
          const fs::path in_meshes = root / "Meshes" / name;
          if (files.TypeOf(in_meshes) == EntryType::kFile) {
            err << "; the host folder's mesh is --mesh " << in_meshes.string();
            break;
          }
        }
      }
      err << '\n';
      return false;
    }
  } else if (class_file.mesh.value) {
    input.file = vessel::MeshPath(*class_file.mesh.value);
    const auto path = files::ResolveHostPath(files, root, input.file);
    if (path) text = files.ReadFile(*path, &reason);
    if (!text) {
      std::string on_disk = input.file;
      for (char& c : on_disk) c = c == '\\' ? '/' : c;
      err << class_file.file << ":" << class_file.mesh.line
          << ": the class's MeshName is " << *class_file.mesh.value << ", but "
          << (root / on_disk).string()
          << (path ? " cannot be read: " + reason : " does not exist")
          << "; give the mesh with --mesh FILE\n";
      return false;
    }
  } else {
    return true;
  }
  if (const auto problem = formats::Utf16Problem(*text)) {
    err << input.file << ": " << *problem << '\n';
    return false;
  }
  std::string error;
  input.mesh = vessel::ParseMesh(input.file, *text, &error);
  if (!input.mesh) {
    err << error << '\n';
    return false;
  }
  return true;
}

// Where the set comes from; nothing, after saying why, when the class
// gives nothing to start from.
std::optional<vessel::StartingInputs> StartingInputsOf(
    const vessel::ClassFile& class_file, const std::string& class_name,
    const MeshInput& mesh, std::ostream& err) {
  vessel::StartingInputs inputs;
  if (!class_file.touchdown.problem.empty()) {
    err << class_file.file << ":" << class_file.touchdown.line << ": "
        << class_file.touchdown.problem << '\n';
    return std::nullopt;
  }
  if (class_file.touchdown.value) {
    inputs.touchdown = class_file.touchdown.value;
    inputs.touchdown_from =
        class_file.file + ":" + std::to_string(class_file.touchdown.line);
  }
  if (mesh.mesh) {
    inputs.mesh = &*mesh.mesh;
    inputs.mesh_file = mesh.file;
  }
  if (inputs.touchdown || inputs.mesh != nullptr) return inputs;
  if (class_file.file.empty()) {
    err << "vantrel init: class " << class_name
        << " has no class file (Config\\Vessels\\" << class_name
        << ".cfg or Config\\" << class_name
        << ".cfg) to take points or a mesh from; give the vessel's mesh with "
           "--mesh FILE\n";
  } else {
    err << class_file.file
        << ": no TouchdownPoints and no MeshName to start from; give the "
           "vessel's mesh with --mesh FILE\n";
  }
  return std::nullopt;
}

// Writes `text` as the new file `target`; never over an entry that is
// there, however it came. Returns an ExitCode: kExitOk when written, else
// after saying why kExitUsage for a file that exists, kExitInput otherwise.
int WriteNewFile(files::FileSystem& files, const fs::path& target,
                 const std::string& text, std::ostream& err) {
  std::string reason;
  auto output = files.CreateOutput(target, &reason);
  if (output) output->Append(text);
  if (!output || !output->CommitNew(&reason)) {
    err << target.string() << ": cannot write the definition: " << reason
        << "; nothing was written\n";
    return reason == "already exists" ? kExitUsage : kExitInput;
  }
  return kExitOk;
}

// What the drop test makes of the definition `text` on a vessel of the
// class on `body`, judged as `vantrel drop FILE --class CLASS --body BODY
// [--mass KG]` judges it.
report::DroppedSet DropOf(const std::string& text,
                          const vessel::ClassFile& class_file,
                          const vessel::VesselBody& body,
                          const vessel::VesselInputs& inputs,
                          vessel::VesselModel& model) {
  model = vessel::ModelVessel(class_file, inputs);
  const formats::ItemFile items(text);
  const auto points = analysis::HandedOver(
      analysis::ReadPoints(items,
                           analysis::CountThatApplies(items).value_or(0)),
      model.mass);
  physics::DropOptions options;
  options.gravity = body.gravity;
  return report::DropSet("", vessel::DroppedVesselOf(model),
                         analysis::ToContactPoints(points), options, true);
}

}  // namespace

int InitCommand(const InitArguments& arguments, files::FileSystem& files,
                std::ostream& out, std::ostream& err) {
  const fs::path root = HostFolder(arguments.root);
  if (!CheckHostFolder(files, root, err)) return kExitInput;
  if (!arguments.class_name && !arguments.name) {
    err << "vantrel init: name the class (--class) or the vessel (--name) "
           "to write a definition for\n";
    return kExitUsage;
  }
  const std::string key = arguments.name.value_or(*arguments.class_name);
  const std::string class_name = arguments.class_name.value_or(key);
  if (key.empty()) {
    err << "vantrel init: no vessel or class has an empty name\n";
    return kExitUsage;
  }
  const rules::KeyRefusal refusal = rules::RefusalOf(key);
  if (refusal.reason != rules::KeyRefusal::Reason::kNone) {
    err << "vantrel init: the plug-in never opens a definition for '" << key
        << "': " << analysis::RefusalText(refusal) << '\n';
    return kExitUsage;
  }
  const std::string relative = "Config" + rules::DefinitionPath(key);
  if (const auto existing = files::ResolveHostPath(files, root, relative)) {
    err << existing->string()
        << ": already exists; vantrel init never writes over a file. Edit "
           "it, or move it away to start again; nothing was written\n";
    return kExitUsage;
  }

  vessel::BodyCatalog bodies(files, root, arguments.gravity);
  const vessel::VesselBody body = bodies.Landed(arguments.body);
  if (body.problem) {
    err << formats::FormatProblem(*body.problem) << "; nothing was written\n";
    return kExitInput;
  }
  const vessel::ClassFile class_file =
      vessel::ReadClassFile(files, root, class_name);
  MeshInput mesh;
  if (!ReadMesh(files, root, arguments, class_file, mesh, err)) {
    return kExitInput;
  }
  const auto inputs = StartingInputsOf(class_file, class_name, mesh, err);
  if (!inputs) return kExitInput;
  std::string error;
  const auto set = vessel::DeriveStartingSet(*inputs, &error);
  if (!set) {
    err << error
        << "; give the primary points as TouchdownPoints in the "
           "class file, or another mesh with --mesh FILE\n";
    return kExitInput;
  }
  std::vector<std::string> notes;
  if (class_file.module.value) {
    notes.push_back(
        "The class's module (Module = " + *class_file.module.value +
        ") may set the mass and the touchdown points, and place its meshes, "
        "in code; no file shows that, so look at these points with vantrel "
        "show and vantrel drop.");
  }
  const std::string text = vessel::StartingDefinitionText(key, *set, notes);

  const std::size_t slash = relative.rfind('\\');
  const auto folder =
      files::MakeHostFolders(files, root, relative.substr(0, slash), &error);
  if (!folder) {
    err << error << '\n';
    return kExitInput;
  }
  const fs::path target = *folder / relative.substr(slash + 1);
  if (const int written = WriteNewFile(files, target, text, err)) {
    return written;
  }

  const std::size_t count = set->points.size();
  out << "vantrel init: wrote " << target.string() << ", " << count
      << " points\n"
      << "  points 1-3: " << set->primary_from << "\n";
  if (count > 3) {
    out << "  points 4-" << count << ": hull points, " << set->hull_from
        << "\n";
  }
  out << "  stiffness, damping and friction 0: the plug-in completes them "
         "from the vessel's mass\n\n";

  const std::vector<analysis::Diagnostic> findings =
      analysis::CheckDefinitionFile(files, target, nullptr);
  int errors = 0;
  for (const analysis::Diagnostic& d : findings) {
    out << "  " << analysis::FormatProblem(d) << '\n';
    errors += d.severity == analysis::Severity::kError;
  }
  out << "check: "
      << (findings.empty()
              ? "no findings"
              : std::to_string(errors) + " error(s), " +
                    std::to_string(findings.size() - errors) + " warning(s)")
      << '\n';
  vessel::VesselModel model;
  vessel::VesselInputs given;
  given.mass = arguments.mass;
  given.mass_from = "--mass";
  const report::DroppedSet drop = DropOf(text, class_file, body, given, model);
  out << "drop:  " << report::VerdictLine(drop)
      << "\n  released 0.5 m above the "
      << "ground, as class " << class_name << " of "
      << formats::TenDigits(model.mass) << " kg (" << model.mass_from
      << "), on " << report::BodyText(body) << "\n";
  for (const std::string& reason : report::VerdictReasons(drop)) {
    out << "  " << reason << "\n";
  }
  const slope::SlopeAnswer on_slope =
      slope::AnswerOnSlope(slope::OnShownSlope(drop.setup, body.slope_factor));
  out << "slope: on slopes of the body " << body.name
      << ", released alike, nose downhill: " << report::SlopeLine(on_slope)
      << "\n  higher friction coefficients of points 1-3 (or of every point "
         "that carries the vessel) slow the creep as their square: twice "
         "the friction, a quarter of the creep\n";
  if (model.module_sets_mass) {
    out << "  its module sets the mass in code; give it with --mass KG\n";
  }
  // The vessel as init judged it: show judges it alike only when given
  // the same mass and body.
  std::string look =
      CommandLineOf("show", arguments.root, key,
                    arguments.name ? arguments.class_name : std::nullopt);
  if (arguments.mass) look += " --mass " + formats::Shortest(*arguments.mass);
  if (arguments.body != vessel::kDefaultBody)
    look += " --body " + arguments.body;
  if (arguments.gravity) {
    look += " --gravity " + formats::Shortest(*arguments.gravity);
  }
  out << "\nLook at it:\n  " << look << '\n';
  // Written, but not yet a file to fly with: say so on the error stream
  // too, so that a script sees why the exit code is not 0.
  const bool lands = drop.judgement.verdict == physics::Verdict::kLands;
  if (!findings.empty() || !lands) {
    err << "vantrel init: " << target.string() << " needs work: "
        << (lands ? ""
                  : std::string("the drop test says ") +
                        physics::VerdictName(drop.judgement.verdict) +
                        ", not lands (at rest, level and safe at x1)")
        << (!lands && !findings.empty() ? "; " : "")
        << (findings.empty() ? "" : "check has findings") << "\n";
    return kExitFindings;
  }
  return kExitOk;
}

namespace {

void AddInitOptions(CLI::App& command, InitArguments& arguments) {
  AddRootOption(command, arguments.root);
  command.add_option("--class", arguments.class_name,
                     "The vessel class; its class file gives the points or "
                     "the mesh");
  command.add_option("--name", arguments.name,
                     "Write the file for this vessel name instead (its class "
                     "file: --class, else the name's)");
  command
      .add_option("--mesh", arguments.mesh,
                  "The vessel's mesh (default: the class file's MeshName, in "
                  "DIR/Meshes)")
      ->type_name("FILE");
  AddMassOption(command, arguments.mass,
                "The vessel's mass in kg for the drop test (default: from its "
                "class file, tanks empty)");
  AddBodyOptions(command, arguments.body, arguments.gravity);
}

}  // namespace

const Command kInitCommand = {
    "init",
    "Write a new definition Config/Vantrel/<name or class>.cfg to start from: "
    "the primary points from the class file's TouchdownPoints, else from the "
    "mesh, and hull points from the mesh; springs and friction left to the "
    "plug-in. Never writes over a file.",
    AddCommand<InitArguments, InitCommand, AddInitOptions>};

}  // namespace tools
