#include "tools/drop_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <filesystem>
#include <string>

#include "analysis/definition_reading.h"
#include "analysis/physics_points.h"
#include "analysis/vessel_account.h"
#include "files/read_recorder.h"
#include "formats/item_file.h"
#include "formats/number_text.h"
#include "formats/text_encoding.h"
#include "physics/warp_steps.h"
#include "report/account_text.h"
#include "report/body_text.h"
#include "report/drop_report.h"
#include "report/drop_svg.h"
#include "report/run_report.h"
#include "report/slope_text.h"
#include "rules/sweep_step.h"
#include "tools/asked_output.h"
#include "tools/command_options.h"
#include "tools/executable_path.h"
#include "tools/exit_codes.h"
#include "tools/host_folder.h"
#include "tools/output_guard.h"
#include "tools/single_vessel.h"
#include "vessel/class_file.h"
#include "vessel/vessel_model.h"

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
  vessel::VesselBody body;
  std::string mass_text;  // the mass and where it came from
  std::vector<TOUCHDOWNVTX> definition;
  std::string definition_from;
  bool applied = true;  // a definition gave the points
};

// The vessel of a definition file given on the command line: its class
// from --class, else its --name, else the file's name; the points as the
// module makes them.
std::optional<DropVessel> FromFile(files::FileSystem& files,
                                   const DropArguments& arguments,
                                   const fs::path& root,
                                   vessel::BodyCatalog& bodies,
                                   std::ostream& err) {
  const fs::path path = formats::PathOfHostText(*arguments.definition);
  std::string reason;
  const auto text = files.ReadFile(path, &reason);
  if (!text) {
    err << formats::ShownPath(path)
        << ": cannot read the definition: " << reason << '\n';
    return std::nullopt;
  }
  const formats::ItemFile items(*text);
  const auto count = analysis::CountThatApplies(items);
  if (!count) {
    err << formats::ShownPath(path)
        << ": the module would not apply this file (no N, or N out of "
           "bounds); see vantrel check\n";
    return std::nullopt;
  }
  DropVessel vessel;
  vessel.class_name = arguments.class_name.value_or(
      arguments.name.value_or(formats::ShownPath(path.stem())));
  vessel.name = arguments.name.value_or(vessel.class_name);
  vessel::VesselInputs inputs;
  inputs.mass = arguments.mass;
  inputs.mass_from = "--mass";
  vessel.model = vessel::ModelVessel(
      vessel::ReadClassFile(files, root, vessel.class_name), inputs);
  vessel.mass_text = formats::Shortest(vessel.model.mass) + " kg (" +
                     vessel.model.mass_from + ")";
  vessel.body = bodies.Landed(arguments.body);
  vessel.definition = analysis::HandedOver(analysis::ReadPoints(items, *count),
                                           vessel.model.mass);
  vessel.definition_from = formats::ShownPath(path);
  return vessel;
}

// The vessel as the plug-in updates it in the stand-in host.
std::optional<DropVessel> FromPlugin(files::FileSystem& files,
                                     const DropArguments& arguments,
                                     const fs::path& root,
                                     vessel::BodyCatalog& bodies,
                                     std::ostream& err, int& exit_code) {
  SingleVessel single;
  single.files = &files;
  single.root = root;
  single.name = *arguments.name;
  single.class_name = arguments.class_name;
  single.mass = arguments.mass;
  single.body = arguments.body;
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
  vessel.mass_text = report::MassText(outcome, " kg");
  vessel.definition = outcome.touchdown;
  vessel.applied = outcome.touchdown_sets > 0;
  const std::vector<analysis::VesselAccount> accounts =
      analysis::AccountVessels(*result, bodies);
  vessel.body = accounts.front().body;
  const analysis::KeyTried* applied = accounts.front().Applied();
  vessel.definition_from =
      applied == nullptr ? "no definition applied: the vessel's own points"
                         : report::ShownDefinitionPath(*applied);
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

physics::DropOptions OptionsOf(const DropArguments& arguments,
                               const vessel::VesselBody& body) {
  physics::DropOptions options;
  options.gravity = body.gravity;
  options.slope = {arguments.slope.value_or(0.0), arguments.downhill,
                   body.slope_factor};
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
  return "released " + formats::Shortest(a.height) + " m above the ground";
}

// The drawing the user asked for, if any. After a refusal, the command line
// the user most likely meant: the same vessel, drawn into a new file in the
// current folder.
std::optional<OutputRequest> SvgRequest(const DropArguments& arguments) {
  if (!arguments.svg) return std::nullopt;
  std::string command = CommandLineOf("drop", arguments.root, arguments.name,
                                      arguments.class_name);
  if (arguments.definition) command += " " + Quoted(*arguments.definition);
  return OutputRequest{"vantrel drop", "the drawing", *arguments.svg,
                       NewDrawingHint(command, *arguments.svg)};
}

}  // namespace

int DropCommand(const DropArguments& arguments, files::FileSystem& disk,
                std::ostream& out, std::ostream& err) {
  if (arguments.landed && arguments.switch_points) {
    err << "vantrel drop: --landed and --switch start differently; give "
           "one\n";
    return kExitUsage;
  }
  const fs::path root = HostFolder(arguments.root);
  if (!CheckHostFolder(disk, root, err)) return kExitInput;
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
    err << "vantrel drop: " << formats::Shortest(arguments.seconds) << " s at "
        << formats::Shortest(arguments.fps) << " fps and x"
        << formats::Shortest(lowest)
        << " (the lowest time acceleration the drop runs) are "
        << formats::Shortest(frames) << " frames; at most "
        << formats::Shortest(kMaxDropFrames) << " (give fewer --seconds)\n";
    return kExitUsage;
  }
  files::ReadRecorder files(&disk);
  const std::string plugin = arguments.plugin.value_or(DefaultPluginPath());
  files.Record(formats::PathOfHostText(plugin));
  if (arguments.definition) {
    files.Record(formats::PathOfHostText(*arguments.definition));
  }
  int exit_code = kExitInput;
  AskedOutput svg;
  if (!svg.Open(files, SvgRequest(arguments), root, err, exit_code)) {
    return exit_code;
  }
  vessel::BodyCatalog bodies(files, root, arguments.gravity);
  if (const auto& problem = bodies.Landed(arguments.body).problem) {
    err << formats::FormatProblem(*problem) << '\n';
    return kExitInput;
  }
  const auto vessel =
      arguments.definition
          ? FromFile(files, arguments, root, bodies, err)
          : FromPlugin(files, arguments, root, bodies, err, exit_code);
  if (!vessel) return exit_code;

  const physics::DroppedVessel dropped = DroppedOf(arguments, *vessel);
  const physics::ContactPoints given =
      analysis::ToContactPoints(vessel->definition);
  if (given.size() < 3) {
    err << "vantrel drop: the set has " << given.size()
        << " points; the host needs at least 3\n";
    return kExitInput;
  }
  const physics::DropOptions options = OptionsOf(arguments, vessel->body);
  // The vessel's own points are never handed over: with --switch they start
  // where the host lands them.
  physics::DropOptions own = options;
  if (own.start == physics::DropStart::kSwitch) {
    own.start = physics::DropStart::kLanded;
  }
  report::DroppedSet before =
      report::DropSet("before (its own: " + vessel->model.own_points_from + ")",
                      dropped, dropped.own_points, own, false);
  report::DroppedSet after = report::DropSet(
      vessel->applied ? "after (the definition's)"
                      : "after (no definition: the same points)",
      dropped, given, options, vessel->applied);
  if (arguments.slope) report::AnswerSlopes(before, after);

  const std::optional<report::DroppedSet> full =
      report::FullTanksSet(after, vessel->model);
  if (arguments.json) {
    report::PrintDropJson(after, full, vessel->body, out);
  } else {
    out << "Drop test of " << vessel->name << ", class " << vessel->class_name
        << ", mass " << vessel->mass_text << "\n"
        << "  " << StartText(arguments) << "; "
        << formats::Shortest(arguments.fps) << " fps, x"
        << formats::Shortest(arguments.warp) << ", "
        << formats::Shortest(arguments.seconds) << " s; size "
        << formats::Shortest(dropped.body.size) << " m, inertia "
        << formats::Shortest(dropped.body.inertia.x) << " "
        << formats::Shortest(dropped.body.inertia.y) << " "
        << formats::Shortest(dropped.body.inertia.z) << " m^2\n"
        << "  On " << report::BodyText(vessel->body) << "\n"
        << "  Definition: " << vessel->definition_from << "\n\n";
    report::PrintDropText(before, after, out);
    if (full) {
      out << "\nThe definition's set ";
      for (const std::string& line : report::FullTanksLines(*full)) {
        out << line << "\n";
      }
    }
    report::PrintSlopeText(before, after, out);
  }
  if (svg) {
    // A failed append fails the commit, which says why.
    const report::DropTitle title{vessel->name, vessel->mass_text,
                                  report::BodyText(vessel->body)};
    svg.get()->Append(report::DrawDropSvg(title, after));
    if (!svg.Commit(files, root, err, exit_code)) return exit_code;
  }
  return kExitOk;
}

namespace {

void AddDropOptions(CLI::App& command, DropArguments& a) {
  AddRootOption(command, a.root);
  command.add_option("--name", a.name,
                     "The vessel's name; the plug-in runs on it as in "
                     "vantrel show");
  command.add_option("--class", a.class_name,
                     "The vessel's class (default: its name, else the "
                     "definition file's name)");
  AddMassOption(command, a.mass,
                "The vessel's mass in kg (default: from its class file, with "
                "its propellant)");
  command
      .add_option("--pmi", a.pmi,
                  "Principal moments of inertia / mass, m^2 (default: the "
                  "class file's Inertia)")
      ->expected(3)
      ->check(CLI::PositiveNumber)
      ->type_name("X Y Z");
  command
      .add_option("--size", a.size,
                  "Mean radius in m (default: the class file's Size, else 10)")
      ->check(CLI::PositiveNumber)
      ->type_name("R");
  command.add_option("--fps", a.fps, "Frames per second")
      ->check(CLI::Range(1.0, 1000.0))
      ->capture_default_str();
  command.add_option("--warp", a.warp, "Time acceleration")
      ->check(CLI::Range(0.1, 100000.0))
      ->capture_default_str();
  command
      .add_option("--height", a.height,
                  "Height of the lowest point above the ground at release, m")
      ->check(CLI::Range(-1.0, 1000.0))
      ->capture_default_str();
  command.add_flag("--landed", a.landed,
                   "Start as the host puts a scenario's landed vessel down, "
                   "on the definition's points");
  command.add_flag("--switch", a.switch_points,
                   "Start landed on the vessel's own points and hand over the "
                   "definition's in frame " +
                       std::to_string(rules::kSweepStep) +
                       ", as the plug-in does");
  command.add_option("--seconds", a.seconds, "Simulated time, s")
      ->check(CLI::Range(0.01, 100000.0))
      ->capture_default_str();
  AddBodyOptions(command, a.body, a.gravity);
  command
      .add_option("--slope", a.slope,
                  "Drop onto a uniform slope of DEG degrees (default 0: flat "
                  "ground) and tell how the vessel fares on it: when it comes "
                  "to rest, its creep, the steepest slope it rests on, the "
                  "slope that tips it over")
      ->check(CLI::Range(0.0, 80.0))
      ->type_name("DEG");
  command
      .add_option("--downhill", a.downhill,
                  "The downhill direction of --slope, in degrees from the "
                  "nose towards the right side (0: nose downhill)")
      ->check(CLI::Range(-360.0, 360.0))
      ->capture_default_str()
      ->type_name("DEG");
  command.add_flag("--json", a.json, "Print the definition's drop as JSON");
  command
      .add_option("--svg", a.svg,
                  "Also draw height, pitch and roll over time and the vessel "
                  "at rest into FILE")
      ->type_name("FILE");
  AddPluginOption(command, a.plugin);
  command
      .add_option("definition", a.definition,
                  "A definition file to drop instead of running the plug-in")
      ->type_name("FILE");
}

}  // namespace

const Command kDropCommand = {
    "drop",
    "Drop a vessel onto flat ground (or --slope) with the host's "
    "ground-contact model, on its own points (before) and on the definition's "
    "(after), and say what "
    "the host will do: lands, or the fault that keeps it from landing, the "
    "rest state, and the safe time acceleration: every step a player can "
    "select up to it lands; on a slope, how it creeps and whether it comes "
    "to rest.",
    AddCommand<DropArguments, DropCommand, AddDropOptions>};

}  // namespace tools
