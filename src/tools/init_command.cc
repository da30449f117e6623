#include "init_command.h"

#include <filesystem>
#include <vector>

#include "class_file.h"
#include "definition_file_check.h"
#include "definition_reading.h"
#include "definition_rules.h"
#include "diagnostic_output.h"
#include "exit_codes.h"
#include "host_paths.h"
#include "item_file.h"
#include "mesh_file.h"
#include "number_text.h"
#include "output_guard.h"
#include "physics_points.h"
#include "starting_definition.h"
#include "starting_set.h"
#include "text_encoding.h"
#include "vessel_model.h"

namespace tools {

namespace {

namespace fs = std::filesystem;
using EntryType = standin::FileSystem::EntryType;

// A problem that stops the command, with its exit code.
struct Stop {
  int code = kExitInput;
};

// The mesh the set is made from, and its name in messages and comments.
struct MeshInput {
  std::optional<vessel::Mesh> mesh;
  std::string file;
};

// The mesh of --mesh, else the class file's MeshName, found as the host
// finds files; nothing when neither names one. Stops after saying why
// when the mesh named cannot be read or is not a mesh.
MeshInput ReadMesh(standin::FileSystem& files, const fs::path& root,
                   const InitArguments& arguments,
                   const vessel::ClassFile& class_file, std::ostream& err) {
  MeshInput input;
  std::string reason;
  std::optional<std::string> text;
  if (arguments.mesh) {
    input.file = *arguments.mesh;
    text = files.ReadFile(*arguments.mesh, &reason);
    if (!text) {
      err << input.file << ": cannot read the mesh: " << reason << '\n';
      throw Stop{};
    }
  } else if (class_file.mesh.value) {
    input.file = vessel::MeshPath(*class_file.mesh.value);
    const auto path = standin::ResolveHostPath(files, root, input.file);
    if (path) text = files.ReadFile(*path, &reason);
    if (!text) {
      std::string on_disk = input.file;
      for (char& c : on_disk) c = c == '\\' ? '/' : c;
      err << class_file.file << ":" << class_file.mesh.line
          << ": the class's MeshName is " << *class_file.mesh.value << ", but "
          << (root / on_disk).string()
          << (path ? " cannot be read: " + reason : " does not exist")
          << "; give the mesh with --mesh FILE\n";
      throw Stop{};
    }
  } else {
    return input;
  }
  if (const auto problem = standin::Utf16Problem(*text)) {
    err << input.file << ": " << *problem << '\n';
    throw Stop{};
  }
  std::string error;
  input.mesh = vessel::ParseMesh(input.file, *text, &error);
  if (!input.mesh) {
    err << error << '\n';
    throw Stop{};
  }
  return input;
}

// Where the set comes from; stops when the class gives nothing to start
// from.
vessel::StartingInputs StartingInputsOf(const vessel::ClassFile& class_file,
                                        const std::string& class_name,
                                        const MeshInput& mesh,
                                        std::ostream& err) {
  vessel::StartingInputs inputs;
  if (!class_file.touchdown.problem.empty()) {
    err << class_file.file << ":" << class_file.touchdown.line << ": "
        << class_file.touchdown.problem << '\n';
    throw Stop{};
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
  throw Stop{};
}

// The folder of `relative` below the host folder, each folder on the way
// found as the host finds it, or made when missing.
fs::path MakeFolders(standin::FileSystem& files, const fs::path& root,
                     const std::string& relative, std::ostream& err) {
  fs::path folder = root;
  std::size_t at = 0;
  while (at < relative.size()) {
    std::size_t end = relative.find('\\', at);
    if (end == std::string::npos) end = relative.size();
    const std::string name = relative.substr(at, end - at);
    at = end + 1;
    if (name.empty()) continue;
    const auto found = files.FindEntry(folder, name);
    if (found.entry && files.TypeOf(*found.entry) == EntryType::kFolder) {
      folder = *found.entry;
      continue;
    }
    std::string reason;
    if (found.entry || !files.MakeFolder(folder / name, &reason)) {
      err << (folder / name).string() << ": cannot make the folder: "
          << (found.entry ? "an entry that is not a folder has its name"
                          : reason)
          << '\n';
      throw Stop{};
    }
    folder /= name;
  }
  return folder;
}

// Writes `text` as the new file `file_name` in `folder`; never over an
// entry that is there, however it came.
void WriteNewFile(standin::FileSystem& files, const fs::path& target,
                  const std::string& text, std::ostream& err) {
  std::string reason;
  auto output = files.CreateOutput(target, &reason);
  if (output) output->Append(text);
  if (!output || !output->CommitNew(&reason)) {
    err << target.string() << ": cannot write the definition: " << reason
        << "; nothing was written\n";
    throw Stop{reason == "already exists" ? kExitUsage : kExitInput};
  }
}

// What the drop test makes of the definition `text` on a vessel of the
// class, as `vantrel drop FILE --class CLASS` drops it.
physics::DropResult DropOf(const std::string& text,
                           const vessel::ClassFile& class_file,
                           vessel::VesselModel& model) {
  model = vessel::ModelVessel(class_file, {});
  const standin::ItemFile items(text);
  const auto points = HandedOver(
      ReadPoints(items, CountThatApplies(items).value_or(0)), model.mass);
  return physics::RunDrop(vessel::DropSetupOf(model, ToContactPoints(points)));
}

std::string ShowCommandLine(const InitArguments& arguments,
                            const std::string& key) {
  std::string command = "vantrel show";
  if (arguments.root) command += " --root " + Quoted(*arguments.root);
  command += " --name " + Quoted(key);
  if (arguments.name && arguments.class_name) {
    command += " --class " + Quoted(*arguments.class_name);
  }
  return command;
}

int Init(const InitArguments& arguments, standin::FileSystem& files,
         std::ostream& out, std::ostream& err) {
  const fs::path root = arguments.root.value_or(".");
  if (files.TypeOf(root) != EntryType::kFolder) {
    err << root.string() << ": cannot read the host folder\n";
    return kExitInput;
  }
  if (!arguments.class_name && !arguments.name) {
    err << "vantrel init: name the class (--class) or the vessel (--name) "
           "to write a definition for\n";
    return kExitUsage;
  }
  const std::string key = arguments.name.value_or(*arguments.class_name);
  const std::string class_name = arguments.class_name.value_or(key);
  if (key.empty() || rules::IsUnsafeKey(key)) {
    err << "vantrel init: the plug-in never opens a definition for '" << key
        << "' (an empty name, a drive, a '..' or a device name such as CON)\n";
    return kExitUsage;
  }
  const std::string relative = "Config" + rules::DefinitionPath(key);
  if (const auto existing = standin::ResolveHostPath(files, root, relative)) {
    err << existing->string()
        << ": already exists; vantrel init never writes over a file. Edit "
           "it, or move it away to start again; nothing was written\n";
    return kExitUsage;
  }

  const vessel::ClassFile class_file =
      vessel::ReadClassFile(files, root, class_name);
  const MeshInput mesh = ReadMesh(files, root, arguments, class_file, err);
  const vessel::StartingInputs inputs =
      StartingInputsOf(class_file, class_name, mesh, err);
  std::string error;
  const auto set = vessel::DeriveStartingSet(inputs, &error);
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
  const fs::path folder =
      MakeFolders(files, root, relative.substr(0, slash), err);
  const fs::path target = folder / relative.substr(slash + 1);
  WriteNewFile(files, target, text, err);

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

  const std::vector<Diagnostic> findings =
      CheckDefinitionFile(files, target, nullptr);
  int errors = 0;
  for (const Diagnostic& d : findings) {
    out << "  " << FormatProblem(d) << '\n';
    errors += d.severity == Severity::kError;
  }
  out << "check: "
      << (findings.empty()
              ? "no findings"
              : std::to_string(errors) + " error(s), " +
                    std::to_string(findings.size() - errors) + " warning(s)")
      << '\n';
  vessel::VesselModel model;
  const physics::DropResult drop = DropOf(text, class_file, model);
  out << "drop:  " << physics::VerdictName(drop.verdict);
  if (drop.landed_at)
    out << " (LANDED at " << Fixed(*drop.landed_at, 2) << " s)";
  out << ", released 0.5 m above the ground, as class " << class_name << " of "
      << TenDigits(model.mass) << " kg (" << model.mass_from << ")\n";
  if (model.module_sets_mass) {
    out << "  its module sets the mass in code; give it with vantrel drop "
           "--mass KG\n";
  }
  out << "\nLook at it:\n  " << ShowCommandLine(arguments, key) << '\n';
  const bool clean =
      findings.empty() && drop.verdict == physics::Verdict::kLands;
  return clean ? kExitOk : kExitFindings;
}

}  // namespace

int InitCommand(const InitArguments& arguments, standin::FileSystem& files,
                std::ostream& out, std::ostream& err) {
  try {
    return Init(arguments, files, out, err);
  } catch (const Stop& stop) {
    return stop.code;
  }
}

}  // namespace tools
