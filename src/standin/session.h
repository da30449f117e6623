#ifndef VANTREL_STANDIN_SESSION_H_
#define VANTREL_STANDIN_SESSION_H_

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "host.h"
#include "orbiter_api.h"
#include "scenario.h"
#include "sim_object.h"

namespace standin {

// How to run a scenario on the stand-in host.
struct SessionOptions {
  std::filesystem::path root;  // the host folder
  std::string plugin;          // the plug-in library to load
  int steps = 10;              // post-steps to run; the sweep is the 10th
  std::optional<std::string> log_file;  // also write the log lines here
  bool record_file_events = false;      // keep SessionResult::file_events
};

// One vessel as it stood at the end of a run.
struct VesselOutcome {
  std::string name;
  std::string class_name;
  double mass = 0.0;
  bool mass_given = false;
  int spawn_step = 0;
  TouchdownSource source;
  int touchdown_sets = 0;
  std::vector<TOUCHDOWNVTX> touchdown;
};

// Why a run could not start.
struct SessionError {
  enum class Kind { kLogFile, kPlugin };
  Kind kind = Kind::kPlugin;
  std::string message;
};

// What a run produced.
struct SessionResult {
  std::vector<std::string> log;
  std::vector<VesselOutcome> vessels;  // in order of creation
  std::vector<std::string> faults;     // calls the host refused
  std::size_t files_left_open = 0;
  // Opens and item reads, in order, when the options asked for them.
  std::vector<Host::FileEvent> file_events;
};

// Runs `scenario` as the simulator would: loads the plug-in and calls its
// InitModule, creates the scenario's vessels, starts the simulation, runs
// `steps` steps (creating and reporting spawned vessels at the start of
// their step, then calling clbkPostStep), ends the simulation, destroys the
// module objects and unloads the plug-in. Returns nothing, with `error`
// saying why, when the log file cannot be created or the plug-in cannot be
// loaded.
std::optional<SessionResult> RunSession(const Scenario& scenario,
                                        const SessionOptions& options,
                                        SessionError* error);

}  // namespace standin

#endif  // VANTREL_STANDIN_SESSION_H_
