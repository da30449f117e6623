#include "drop_command.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>

#include "class_file.h"
#include "definition_reading.h"
#include "disk_file_system.h"
#include "drop_report.h"
#include "drop_svg.h"
#include "executable_path.h"
#include "exit_codes.h"
#include "item_file.h"
#include "number_text.h"
#include "output_guard.h"
#include "physics_points.h"
#include "read_recorder.h"
#include "run_report.h"
#include "single_vessel.h"
#include "sweep_step.h"
#include "text_encoding.h"
#include "vessel_model.h"
#include "warp_steps.h"

namespace tools {

namespace {

namespace fs = std::filesystem;

// The most frames one drop may take: 30 s at 60 fps are 1800, a day at x1
// and 10 fps 864000.
constexpr double kMaxDropFrames = 1e6;

// The vessel and the two sets to drop.
struct DropVessel {
  std::string name;
  std::string class_name;
  vessel::VesselModel model;
  std::string mass_text;  // the mass and where it came from
  std::vector<TOUCHDOWNVTX> definition;
  std::string definition_from;
  bool applied = true;  // a definition gave the points
};

// The vessel of a definition file given on the command line: its class
// from --class, else its --name, else the file's name; the points as the
// module makes them.
std::optional<DropVessel> FromFile(standin::FileSystem& files,
                                   const DropArguments& arguments,
                                   const fs::path& root, std::ostream& err) {
  const fs::path path = standin::PathOfHostText(*arguments.definition);
  std::string reason;
  const auto text = files.ReadFile(path, &reason);
  if (!text) {
    err << standin::ShownPath(path)
        << ": cannot read the definition: " << reason << '\n';
    return std::nullopt;
  }
  const standin::ItemFile items(*text);
  const auto count = CountThatApplies(items);
  if (!count) {
    err << standin::ShownPath(path)
        << ": the module would not apply this file (no N, or N out of "
           "bounds); see vantrel check\n";
    return std::nullopt;
  }
  DropVessel vessel;
  vessel.class_name = arguments.class_name.value_or(
      arguments.name.value_or(standin::ShownPath(path.stem())));
  vessel.name = arguments.name.value_or(vessel.class_name);
  vessel::VesselInputs inputs;
  inputs.mass = arguments.mass;
  inputs.mass_from = "--mass";
  vessel.model = vessel::ModelVessel(
      vessel::ReadClassFile(files, root, vessel.class_name), inputs);
  vessel.mass_text =
      Shortest(vessel.model.mass) + " kg (" + vessel.model.mass_from + ")";
  vessel.definition = HandedOver(ReadPoints(items, *count), vessel.model.mass);
  vessel.definition_from = standin::ShownPath(path);
  return vessel;
}

// The vessel as the plug-in updates it in the stand-in host.
std::optional<DropVessel> FromPlugin(standin::FileSystem& files,
                                     const DropArguments& arguments,
                                     const fs::path& root, std::ostream& err,
                                     int& exit_code) {
  SingleVessel single;
  single.files = &files;
  single.root = root;
  single.name = *arguments.name;
  single.class_name = arguments.class_name;
  single.mass = arguments.mass;
  single.plugin = arguments.plugin.value_or(DefaultPluginPath());
  const auto result = RunSingleVessel(single, "drop", err);
  if (!result) {
    exit_code = kExitPlugin;
    return std::nullopt;
  }
  const standin::VesselOutcome& outcome = result->vessels.front();
  DropVessel vessel;
  vessel.name = outcome.name;
  vessel.class_name = outcome.class_name;
  vessel.model = outcome.model;
  vessel.mass_text = MassText(outcome, " kg");
  vessel.definition = outcome.touchdown;
  vessel.applied = outcome.touchdown_sets > 0;
  vessel.definition_from =
      outcome.touchdown_sets == 0
          ? "no definition applied: the vessel's own points"
          : "Config" + outcome.source.file;
  return vessel;
}

// The vessel as the drop moves it: --pmi and --size win over its files.
physics::DroppedVessel DroppedOf(const DropArguments& arguments,
                                 const DropVessel& vessel) {
  physics::DroppedVessel dropped = vessel::DroppedVesselOf(vessel.model);
  if (arguments.pmi.size() == 3) {
    dropped.body.inertia = {arguments.pmi[0], arguments.pmi[1],
                            arguments.pmi[2]};
  }
  dropped.body.size = arguments.size.value_or(vessel.model.size);
  return dropped;
}

physics::DropOptions OptionsOf(const DropArguments& arguments) {
  physics::DropOptions options;
  options.gravity = arguments.gravity;
  options.fps = arguments.fps;
  options.warp = arguments.warp;
  options.seconds = arguments.seconds;
  options.height = arguments.height;
  options.start = arguments.switch_points ? physics::DropStart::kSwitch
                  : arguments.landed      ? physics::DropStart::kLanded
                                          : physics::DropStart::kRelease;
  return options;
}

std::string StartText(const DropArguments& a) {
  if (a.switch_points) {
    return "put down as landed on its own points, the definition's handed "
           "over in frame " +
           std::to_string(rules::kSweepStep);
  }
  if (a.landed) return "put down as landed, as the host does";
  return "released " + Shortest(a.height) + " m above the ground";
}

// The command line a user most likely meant when the drawing was refused:
// the same vessel, drawn into a new file in the current folder.
std::string SvgHint(const DropArguments& arguments) {
  std::string command = "vantrel drop";
  if (arguments.root) command += " --root " + Quoted(*arguments.root);
  if (arguments.name) command += " --name " + Quoted(*arguments.name);
  if (arguments.class_name) {
    command += " --class " + Quoted(*arguments.class_name);
  }
  if (arguments.definition) command += " " + Quoted(*arguments.definition);
  return NewDrawingHint(command, *arguments.svg);
}

}  // namespace

int DropCommand(const DropArguments& arguments, std::ostream& out,
                std::ostream& err) {
  const fs::path root = standin::PathOfHostText(arguments.root.value_or("."));
  std::error_code error;
  if (!fs::is_directory(root, error)) {
    err << standin::ShownPath(root) << ": cannot read the host folder\n";
    return kExitInput;
  }
  if (!arguments.definition && !arguments.name) {
    err << "vantrel drop: name the vessel (--name) or a definition file\n";
    return kExitUsage;
  }
  // Each frame lasts 1/fps of real time (at most 0.1 s) times the warp;
  // the sweep of the time accelerations runs as long at its lowest step.
  const double lowest =
      std::min(arguments.warp, physics::PlayerWarps().front());
  const double frames =
      arguments.seconds / (physics::FrameTime(arguments.fps) * lowest);
  if (frames > kMaxDropFrames) {
    err << "vantrel drop: " << Shortest(arguments.seconds) << " s at "
        << Shortest(arguments.fps) << " fps and x" << Shortest(lowest)
        << " (the lowest time acceleration the drop runs) are "
        << Shortest(frames) << " frames; at most " << Shortest(kMaxDropFrames)
        << " (give fewer --seconds)\n";
    return kExitUsage;
  }
  standin::DiskFileSystem disk;
  standin::ReadRecorder files(&disk);
  const std::string plugin = arguments.plugin.value_or(DefaultPluginPath());
  files.Record(standin::PathOfHostText(plugin));
  if (arguments.definition) {
    files.Record(standin::PathOfHostText(*arguments.definition));
  }
  int exit_code = kExitInput;
  std::unique_ptr<standin::FileSystem::Output> svg;
  OutputRequest svg_request;
  if (arguments.svg) {
    svg_request = {"vantrel drop", "the drawing", *arguments.svg,
                   SvgHint(arguments)};
    svg = OpenOutput(files, svg_request, root, err, exit_code);
    if (!svg) return exit_code;
  }
  exit_code = kExitInput;
  const auto vessel = arguments.definition
                          ? FromFile(files, arguments, root, err)
                          : FromPlugin(files, arguments, root, err, exit_code);
  if (!vessel) return exit_code;

  const physics::DroppedVessel dropped = DroppedOf(arguments, *vessel);
  const physics::ContactPoints given = ToContactPoints(vessel->definition);
  if (given.size() < 3) {
    err << "vantrel drop: the set has " << given.size()
        << " points; the host needs at least 3\n";
    return kExitInput;
  }
  const physics::DropOptions options = OptionsOf(arguments);
  // The vessel's own points are never handed over: with --switch they start
  // where the host lands them.
  physics::DropOptions own = options;
  if (own.start == physics::DropStart::kSwitch) {
    own.start = physics::DropStart::kLanded;
  }
  const DroppedSet before =
      DropSet("before (its own: " + vessel->model.own_points_from + ")",
              dropped, dropped.own_points, own, false);
  const DroppedSet after =
      DropSet(vessel->applied ? "after (the definition's)"
                              : "after (no definition: the same points)",
              dropped, given, options, vessel->applied);

  if (arguments.json) {
    PrintDropJson(after, out);
  } else {
    out << "Drop test of " << vessel->name << ", class " << vessel->class_name
        << ", mass " << vessel->mass_text << "\n"
        << "  " << StartText(arguments) << "; " << Shortest(arguments.fps)
        << " fps, x" << Shortest(arguments.warp) << ", "
        << Shortest(arguments.seconds)
        << " s, g = " << Shortest(arguments.gravity) << " m/s^2; size "
        << Shortest(dropped.body.size) << " m, inertia "
        << Shortest(dropped.body.inertia.x) << " "
        << Shortest(dropped.body.inertia.y) << " "
        << Shortest(dropped.body.inertia.z) << " m^2\n"
        << "  Definition: " << vessel->definition_from << "\n\n";
    PrintDropText(before, after, out);
  }
  if (svg) {
    // A failed append fails the commit, which says why.
    svg->Append(DrawDropSvg(vessel->name, after));
    if (!CommitOutput(files, *svg, svg_request, root, err, exit_code)) {
      return exit_code;
    }
  }
  return kExitOk;
}

}  // namespace tools
