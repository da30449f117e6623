// vantrel: runs the Vantrel plug-in on a stand-in for the simulator.
#include <CLI/CLI.hpp>
#include <iostream>

#include "exit_codes.h"
#include "run_command.h"

int main(int argc, char** argv) {
  CLI::App app{
      "Vantrel replaces the touchdown points of vessels with sets read from "
      "Config/Vantrel/<name or class>.cfg. This command runs the plug-in on "
      "a stand-in for the simulator, so that definitions can be tried "
      "without it.",
      "vantrel"};
  app.set_version_flag("--version", "vantrel " VANTREL_VERSION);
  app.require_subcommand(1);

  RunArguments run;
  CLI::App* run_app = app.add_subcommand(
      "run",
      "Run a scenario with the plug-in loaded and show the host log and the "
      "touchdown points every vessel got. Without arguments, runs the "
      "bundled example.");
  run_app->add_option("--root", run.root,
                      "Host folder; definitions are read from "
                      "DIR/Config/Vantrel/")
      ->type_name("DIR");
  run_app->add_option("--steps", run.steps,
                      "Simulation steps to run; the sweep over all vessels "
                      "happens in step 10")
      ->check(CLI::Range(0, 1000000))
      ->capture_default_str();
  run_app->add_option("--log", run.log_file,
                      "Also write the module's log lines to FILE")
      ->type_name("FILE");
  run_app->add_option("--plugin", run.plugin,
                      "Plug-in library to load (default: "
                      "Modules/Plugin/ beside this program)")
      ->type_name("FILE");
  run_app->add_option("scenario", run.scenario,
                      "Scenario file (.scn); a bare name is also looked up "
                      "in DIR/Scenarios/")
      ->type_name("SCENARIO");

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e);
    return code == 0 ? kExitOk : kExitUsage;
  }

  if (run_app->parsed()) return RunCommand(run, std::cout, std::cerr);
  return kExitUsage;
}
