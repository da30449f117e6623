#include "command_line.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "check_command.h"
#include "disk_file_system.h"
#include "drop_command.h"
#include "exit_codes.h"
#include "init_command.h"
#include "own_console.h"
#include "run_command.h"
#include "show_command.h"
#include "survey_command.h"
#include "sweep_step.h"
#include "text_encoding.h"
#include "vessel_mass.h"

#if defined(_WIN32)
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>
#endif

namespace {

// The mass rule of scenarios and class files, for the command line: one
// short line instead of CLI11's ranges.
const CLI::Validator kVesselMass(
    [](std::string& text) {
      return standin::ParseVesselMass(text) ? std::string()
                                            : standin::NotAMass(text);
    },
    "");

// "CLASS=KG" for `vantrel run --mass`.
const CLI::Validator kClassMass(
    [](std::string& text) {
      return tools::ParseClassMass(text)
                 ? std::string()
                 : "'" + text +
                       "' is not CLASS=KG with a positive, finite "
                       "number of kg";
    },
    "");

}  // namespace

namespace {

// The command line as host text (text_encoding.h), as the simulator takes
// names and paths. On Windows it comes from the wide command line: the C
// runtime's narrow one holds Windows' best fit for a character the code
// page lacks (an 'O' for an omega), which would name another vessel or
// file. Nothing, after saying which argument, when one holds such a
// character.
std::optional<std::vector<std::string>> HostArguments(int argc, char** argv,
                                                      std::ostream& err) {
#if defined(_WIN32)
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide != nullptr) {
    std::vector<std::string> arguments;
    for (int i = 0; i < count; ++i) {
      const auto text = standin::HostTextOfWide(wide[i]);
      if (!text) {
        err << "vantrel: \"" << standin::ShownPath(wide[i])
            << "\" holds a character that the system's code page ("
            << standin::CodePageName()
            << ") cannot hold, shown as '?'; the simulator takes names and "
               "paths only in that code page, so none of its vessels or "
               "files can be named so. Rename it with characters of that "
               "code page.\n";
        LocalFree(wide);
        return std::nullopt;
      }
      arguments.push_back(*text);
    }
    LocalFree(wide);
    return arguments;
  }
#else
  (void)err;
#endif
  return std::vector<std::string>(argv, argv + argc);
}

// The --plugin option of the commands that load the plug-in.
void AddPluginOption(CLI::App& command, std::optional<std::string>& plugin) {
  command
      .add_option("--plugin", plugin,
                  "Plug-in library to load (default: "
                  "Modules/Plugin/ beside this program)")
      ->type_name("FILE");
}

}  // namespace

namespace tools {

int RunCommandLine(int argc, char** argv) {
  auto arguments = HostArguments(argc, argv, std::cerr);
  if (!arguments) return tools::kExitUsage;
  std::vector<char*> pointers;
  for (std::string& argument : *arguments) pointers.push_back(argument.data());
  argc = static_cast<int>(pointers.size());
  argv = pointers.data();
  // Names go out as the simulator's text; the console shows them so.
  const ConsoleInCodePage console;
#if defined(_WIN32)
  // Windows' C runtime writes a console, or a device such as NUL, one
  // character at a time, and asks the system for each whether it is a
  // console: a run of 20 000 vessels printed for minutes under Wine. Whole
  // blocks instead; std::cerr is tied to std::cout, so that what goes to
  // either still comes in order.
  std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);
#endif

  CLI::App app{
      "Vantrel replaces the touchdown points of vessels with sets read from "
      "Config/Vantrel/<name or class>.cfg. This command runs the plug-in on "
      "a stand-in for the simulator, so that definitions can be tried "
      "without it.",
      "vantrel"};
  app.set_version_flag("--version", "vantrel " VANTREL_VERSION);
  app.require_subcommand(1);

  tools::RunArguments run;
  CLI::App* run_app = app.add_subcommand(
      "run",
      "Run a scenario with the plug-in loaded and show the host log and the "
      "touchdown points every vessel got. Without arguments, runs the "
      "bundled example.");
  run_app
      ->add_option("--root", run.root,
                   "Host folder; definitions are read from "
                   "DIR/Config/Vantrel/")
      ->type_name("DIR");
  run_app
      ->add_option("--steps", run.steps,
                   "Simulation steps to run; the sweep over all vessels "
                   "happens in step " +
                       std::to_string(rules::kSweepStep))
      ->check(CLI::Range(0, 1000000))
      ->capture_default_str();
  run_app
      ->add_option("--log", run.log_file,
                   "Also write the module's log lines to FILE")
      ->type_name("FILE");
  run_app
      ->add_option("--mass", run.class_masses,
                   "The empty mass in kg of every vessel of CLASS, for "
                   "classes whose module sets it in code (repeatable; "
                   "propellant is added; a scenario's MASS line wins)")
      ->check(kClassMass)
      ->type_name("CLASS=KG")
      ->allow_extra_args(false);
  AddPluginOption(*run_app, run.plugin);
  std::string edition = "2016";
  run_app
      ->add_option("--edition", edition,
                   "Host edition, which decides how the plug-in is unloaded: "
                   "2016 deletes the module object itself, current leaves "
                   "it to the plug-in's ExitModule")
      ->check(CLI::IsMember({"2016", "current"}))
      ->type_name("2016|current")
      ->capture_default_str();
  run_app
      ->add_option("scenario", run.scenarios,
                   "Scenario files, or the scenarios' names as the "
                   "simulator gives them: paths below DIR/Scenarios/, "
                   "with or without .scn. Several run one after another "
                   "with the plug-in loaded once, as a player starts them "
                   "from the Launchpad")
      ->type_name("SCENARIO...");

  tools::CheckArguments check;
  std::string check_format = "text";
  CLI::App* check_app = app.add_subcommand(
      "check",
      "Check definition files and report what the host and the module will "
      "make of them, one diagnostic per line. Exit code 0 clean, 1 warnings "
      "or errors found, 2 a file could not be read, 3 bad usage.");
  check_app
      ->add_option("--root", check.root,
                   "Host folder; by default every .cfg below "
                   "DIR/Config/Vantrel/ is checked (default: .)")
      ->type_name("DIR");
  check_app->add_option("--format", check_format, "Output format")
      ->check(CLI::IsMember({"text", "json"}))
      ->capture_default_str();
  check_app->add_flag("--classes", check.classes,
                      "Check the vessel class files of DIR/Config/Vessels/ "
                      "instead: their touchdown points as the host reads "
                      "them");
  check_app
      ->add_option("paths", check.paths,
                   "Definition or class files (those below "
                   "Config/Vessels/), or folders to search for .cfg files")
      ->type_name("PATH");

  tools::ShowArguments show;
  CLI::App* show_app = app.add_subcommand(
      "show",
      "Run the plug-in on one vessel and explain what it got: the files "
      "tried, the points handed to the host and where each value came "
      "from, and how the vessel rests on them.");
  show_app->add_option("--root", show.root, "Host folder (default: .)")
      ->type_name("DIR");
  show_app->add_option("--name", show.name, "The vessel's name")->required();
  show_app->add_option("--class", show.class_name,
                       "The vessel's class (default: its name, as the "
                       "host does)");
  show_app
      ->add_option("--mass", show.mass,
                   "The vessel's mass in kg (default: from its class file, "
                   "Config/Vessels/CLASS.cfg, as vantrel run finds it)")
      ->check(kVesselMass)
      ->type_name("KG");
  show_app
      ->add_option("--svg", show.svg,
                   "Also draw the points, in three views, into FILE")
      ->type_name("FILE");
  AddPluginOption(*show_app, show.plugin);

  tools::DropArguments drop;
  CLI::App* drop_app = app.add_subcommand(
      "drop",
      "Drop a vessel onto flat ground with the host's ground-contact model, "
      "on its own points (before) and on the definition's (after), and say "
      "what the host will do: lands, or the fault that keeps it from "
      "landing, the rest state, and the safe time acceleration: every step "
      "a player can select up to it lands.");
  drop_app->add_option("--root", drop.root, "Host folder (default: .)")
      ->type_name("DIR");
  drop_app->add_option("--name", drop.name,
                       "The vessel's name; the plug-in runs on it as in "
                       "vantrel show");
  drop_app->add_option("--class", drop.class_name,
                       "The vessel's class (default: its name, else the "
                       "definition file's name)");
  drop_app
      ->add_option("--mass", drop.mass,
                   "The vessel's mass in kg (default: from its class file, "
                   "with its propellant)")
      ->check(kVesselMass)
      ->type_name("KG");
  drop_app
      ->add_option("--pmi", drop.pmi,
                   "Principal moments of inertia / mass, m^2 (default: the "
                   "class file's Inertia)")
      ->expected(3)
      ->check(CLI::PositiveNumber)
      ->type_name("X Y Z");
  drop_app
      ->add_option("--size", drop.size,
                   "Mean radius in m (default: the class file's Size, else "
                   "10)")
      ->check(CLI::PositiveNumber)
      ->type_name("R");
  drop_app->add_option("--fps", drop.fps, "Frames per second")
      ->check(CLI::Range(1.0, 1000.0))
      ->capture_default_str();
  drop_app->add_option("--warp", drop.warp, "Time acceleration")
      ->check(CLI::Range(0.1, 100000.0))
      ->capture_default_str();
  drop_app
      ->add_option("--height", drop.height,
                   "Height of the lowest point above the ground at release, "
                   "m")
      ->check(CLI::Range(-1.0, 1000.0))
      ->capture_default_str();
  drop_app->add_flag("--landed", drop.landed,
                     "Start as the host puts a scenario's landed vessel "
                     "down, on the definition's points");
  drop_app->add_flag("--switch", drop.switch_points,
                     "Start landed on the vessel's own points and hand over "
                     "the definition's in frame " +
                         std::to_string(rules::kSweepStep) +
                         ", as the plug-in does");
  drop_app->add_option("--seconds", drop.seconds, "Simulated time, s")
      ->check(CLI::Range(0.01, 100000.0))
      ->capture_default_str();
  drop_app->add_option("--gravity", drop.gravity, "Gravity, m/s^2")
      ->check(CLI::Range(0.01, 1000.0))
      ->capture_default_str();
  drop_app->add_flag("--json", drop.json,
                     "Print the definition's drop as JSON");
  drop_app
      ->add_option("--svg", drop.svg,
                   "Also draw height, pitch and roll over time and the "
                   "vessel at rest into FILE")
      ->type_name("FILE");
  AddPluginOption(*drop_app, drop.plugin);
  drop_app
      ->add_option("definition", drop.definition,
                   "A definition file to drop instead of running the "
                   "plug-in")
      ->type_name("FILE");

  tools::InitArguments init;
  CLI::App* init_app = app.add_subcommand(
      "init",
      "Write a new definition Config/Vantrel/<name or class>.cfg to start "
      "from: the primary points from the class file's TouchdownPoints, else "
      "from the mesh, and hull points from the mesh; springs and friction "
      "left to the plug-in. Never writes over a file.");
  init_app->add_option("--root", init.root, "Host folder (default: .)")
      ->type_name("DIR");
  init_app->add_option("--class", init.class_name,
                       "The vessel class; its class file gives the points "
                       "or the mesh");
  init_app->add_option("--name", init.name,
                       "Write the file for this vessel name instead (its "
                       "class file: --class, else the name's)");
  init_app
      ->add_option("--mesh", init.mesh,
                   "The vessel's mesh (default: the class file's MeshName, "
                   "in DIR/Meshes)")
      ->type_name("FILE");

  tools::SurveyArguments survey;
  CLI::App* survey_app = app.add_subcommand(
      "survey",
      "Run every scenario below DIR/Scenarios with the plug-in and list each "
      "vessel class they use: scenarios, vessels, the definition that "
      "applies and what check says of it, the mass, and the drop test's "
      "verdict without and with the definition.");
  survey_app->add_option("--root", survey.root, "Host folder (default: .)")
      ->type_name("DIR");
  survey_app->add_flag("--json", survey.json, "Print the survey as JSON");
  survey_app
      ->add_option("--html", survey.html,
                   "Also write the survey as one web page, sortable by "
                   "column, with each definition's drawing, into FILE")
      ->type_name("FILE");
  AddPluginOption(*survey_app, survey.plugin);

  // Started by a double-click, the window would close before the help
  // could be read: say what the program is, and wait.
  if (argc <= 1 && HasItsOwnConsole()) {
    std::cout << app.help()
              << "\nvantrel is a command-line tool: open a command prompt in "
                 "this folder and type, for example,\n"
                 "  vantrel.exe check --root ..\\..\n"
                 "or double-click \"Check definitions.bat\".\n\n"
                 "Press Enter to close this window.\n";
    std::cout.flush();
    std::string line;
    std::getline(std::cin, line);
    return tools::kExitUsage;
  }

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e);
    return code == 0 ? tools::kExitOk : tools::kExitUsage;
  }

  if (run_app->parsed()) {
    run.edition = edition == "current" ? standin::Edition::kCurrent
                                       : standin::Edition::k2016;
    return tools::RunCommand(run, std::cout, std::cerr);
  }
  if (check_app->parsed()) {
    check.json = check_format == "json";
    standin::DiskFileSystem files;
    return tools::CheckCommand(check, files, std::cout, std::cerr);
  }
  if (show_app->parsed()) return tools::ShowCommand(show, std::cout, std::cerr);
  if (init_app->parsed()) {
    standin::DiskFileSystem files;
    return tools::InitCommand(init, files, std::cout, std::cerr);
  }
  if (survey_app->parsed()) {
    return tools::SurveyCommand(survey, std::cout, std::cerr);
  }
  if (drop_app->parsed()) {
    if (drop.landed && drop.switch_points) {
      std::cerr << "vantrel drop: --landed and --switch start differently; "
                   "give one\n";
      return tools::kExitUsage;
    }
    return tools::DropCommand(drop, std::cout, std::cerr);
  }
  return tools::kExitUsage;
}

}  // namespace tools
