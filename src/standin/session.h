#ifndef VANTREL_STANDIN_SESSION_H_
#define VANTREL_STANDIN_SESSION_H_

#include <filesystem>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "formats/scenario.h"
#include "orbiter_api.h"
#include "rules/sweep_step.h"
#include "standin/host.h"
#include "standin/plugin_call.h"
#include "standin/sim_object.h"
#include "standin/simulation_session.h"
#include "vessel/vessel_model.h"

namespace standin {

// The post-step in which the plug-in updates every vessel present; vessels
// present from the start keep their own points until then.
constexpr int kSweepStep = rules::kSweepStep;

// How to run a scenario on the stand-in host.
struct SessionOptions {
  std::filesystem::path root;  // the host folder
  std::string plugin;          // the plug-in library to load
  int steps = kSweepStep;      // post-steps of each simulation
  // The files the host reads, owned by the caller; the disk when null.
  files::FileSystem* files = nullptr;
  // Also append the plug-in's log lines here; owned by the caller.
  files::FileSystem::Output* log_output = nullptr;
  // Keep the plug-in's item reads among SessionResult::calls.
  bool record_item_reads = false;
  // Where the host says at once that it refused a call: the stream of the
  // command that runs; standard error when null. Owned by the caller.
  std::ostream* faults_to = nullptr;
  Edition edition = Edition::k2016;  // how the host unloads the plug-in
  // The empty mass of every vessel of a class (kg), where the user gave it,
  // by class name folded as FoldCase does.
  std::map<std::string, double> class_masses;
};

// One vessel as it stood at the end of a run.
struct VesselOutcome {
  std::string name;
  std::string class_name;
  double mass = 0.0;
  // Its numbers as the host knows them from its files, with their sources.
  vessel::VesselModel model;
  int spawn_step = 0;
  // Where its scenario starts it: landed on or orbiting `body`, as its
  // STATUS line says.
  formats::VesselState state = formats::VesselState::kNotGiven;
  std::string body;
  int touchdown_sets = 0;
  std::vector<TOUCHDOWNVTX> touchdown;
};

// What one simulation produced.
struct SessionResult {
  // Class files whose Mass does not count, once per file.
  std::vector<formats::Problem> warnings;
  // The host log from the end of the simulation before (or from the start)
  // to the end of this one, the host's own lines included.
  std::vector<std::string> log;
  // Where each stage of the run that wrote lines begins in `log`, in
  // order: "loading", "simulation start", "step 1", ..., "simulation end",
  // "unloading".
  struct LogStage {
    std::string name;
    std::size_t first_line = 0;
  };
  std::vector<LogStage> log_stages;
  std::vector<VesselOutcome> vessels;  // in order of creation
  std::vector<std::string> faults;     // calls the host refused
  std::size_t files_left_open = 0;
  // The plug-in's calls that tell what it did with each vessel, in order;
  // PluginCall::vessel is the vessel's place in `vessels`.
  PluginCalls calls;
};

// What a program run of several simulations produced.
struct RunResult {
  std::vector<SessionResult> simulations;  // in the order they ran
  // The host log after the last simulation: what unloading wrote.
  std::vector<std::string> unload_log;
  // Who deleted the module objects at unloading, and how.
  Unloading unloading;
  // Calls the host refused outside the simulations, while loading or
  // unloading.
  std::vector<std::string> faults;
};

// Runs `scenarios` one after another in one program run, as a player starts
// them from the Launchpad: loads the plug-in once (its library entry calls
// InitLib, which calls InitModule); for each scenario creates its vessels
// (each with the mass its MASS line gives, else its class's mass from the
// options, its class file's Mass or kDefaultVesselMass, plus its
// propellant; and its class file's own touchdown points, or the host's
// default ones), starts the simulation, runs `steps` steps (creating
// and reporting spawned vessels at the start of their step, then calling
// clbkPostStep), destroys the vessels and ends the simulation; then unloads
// the plug-in as the options' edition does. Returns nothing, with `error`
// saying why, when the plug-in cannot be loaded.
std::optional<RunResult> RunScenarios(
    const std::vector<formats::Scenario>& scenarios,
    const SessionOptions& options, std::string* error);

// RunScenarios for one scenario; the faults and log lines of loading and
// unloading count as the simulation's.
std::optional<SessionResult> RunSession(const formats::Scenario& scenario,
                                        const SessionOptions& options,
                                        std::string* error);

}  // namespace standin

#endif  // VANTREL_STANDIN_SESSION_H_
