#include "session.h"

#include "host.h"
#include "module_calls.h"
#include "plugin_library.h"

namespace standin {
namespace {

constexpr double kStepLength = 0.02;    // s
constexpr double kStartDate = 51544.5;  // MJD of the first step
constexpr double kSecondsPerDay = 86400.0;

void AddVessel(Host& host, const ScenarioVessel& vessel) {
  host.vessels().AddVessel(vessel.name, vessel.class_name,
                           vessel.mass.value_or(kDefaultVesselMass));
}

SessionResult Collect(Host& host, const Scenario& scenario) {
  SessionResult result;
  result.log = host.log().lines();
  result.faults = host.faults();
  result.files_left_open = host.files().open_count();
  result.file_events = host.file_events();
  for (std::size_t i = 0; i < host.vessels().vessel_count(); ++i) {
    const SimObject& vessel = *host.vessels().VesselAt(i);
    VesselOutcome outcome;
    outcome.name = vessel.name;
    outcome.class_name = vessel.class_name.value_or("");
    outcome.mass = vessel.mass;
    outcome.source = vessel.source;
    outcome.touchdown_sets = vessel.touchdown_sets;
    outcome.touchdown = vessel.touchdown;
    for (const ScenarioVessel& given : scenario.vessels) {
      if (given.name != vessel.name) continue;
      outcome.mass_given = given.mass.has_value();
      outcome.spawn_step = given.spawn_step;
    }
    result.vessels.push_back(std::move(outcome));
  }
  return result;
}

}  // namespace

std::optional<SessionResult> RunSession(const Scenario& scenario,
                                        const SessionOptions& options,
                                        SessionError* error) {
  Host host(options.root);
  host.record_file_events = options.record_file_events;
  if (options.log_file && !host.log().WriteTo(*options.log_file)) {
    *error = {SessionError::Kind::kLogFile,
              *options.log_file + ": cannot create the log file"};
    return std::nullopt;
  }
  error->kind = SessionError::Kind::kPlugin;
  auto plugin = PluginLibrary::Load(options.plugin, &error->message);
  if (!plugin) return std::nullopt;
  using InitModuleFunction = void (*)(HINSTANCE);
  const auto init_module = plugin->Find<InitModuleFunction>("InitModule");
  if (init_module == nullptr) {
    error->message = options.plugin + ": the plug-in exports no InitModule";
    return std::nullopt;
  }
  init_module(plugin->handle());

  for (const ScenarioVessel& vessel : scenario.vessels) {
    if (vessel.spawn_step == 0) AddVessel(host, vessel);
  }
  const ModuleCalls& calls = CurrentModuleCalls();
  for (oapi::Module* module : host.modules()) calls.simulation_start(module);
  for (int step = 1; step <= options.steps; ++step) {
    for (const ScenarioVessel& vessel : scenario.vessels) {
      if (vessel.spawn_step != step) continue;
      AddVessel(host, vessel);
      OBJHANDLE handle =
          host.vessels().VesselAt(host.vessels().vessel_count() - 1);
      for (oapi::Module* module : host.modules()) {
        calls.new_vessel(module, handle);
      }
    }
    const double simt = step * kStepLength;
    for (oapi::Module* module : host.modules()) {
      calls.post_step(module, simt, kStepLength,
                      kStartDate + simt / kSecondsPerDay);
    }
  }
  for (oapi::Module* module : host.modules()) calls.simulation_end(module);
  host.DestroyModules();
  plugin.reset();
  return Collect(host, scenario);
}

}  // namespace standin
