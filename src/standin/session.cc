#include "session.h"

#include <algorithm>
#include <map>

#include "disk_file_system.h"
#include "file_system_wrapper.h"
#include "host.h"
#include "item_file.h"
#include "module_calls.h"
#include "plugin_library.h"
#include "text_encoding.h"
#include "vessel_mass.h"

namespace standin {
namespace {

constexpr double kStepLength = 0.02;    // s
constexpr double kStartDate = 51544.5;  // MJD of the first step
constexpr double kSecondsPerDay = 86400.0;

// The model of every vessel of `scenario`, in its order. Each class file is
// read once; one whose Mass does not count gets one warning.
std::vector<vessel::VesselModel> ModelVessels(
    FileSystem& files, const SessionOptions& options, const Scenario& scenario,
    std::vector<FileProblem>& warnings) {
  std::map<std::string, vessel::ClassFile> class_files;
  std::vector<vessel::VesselModel> models;
  for (const ScenarioVessel& vessel : scenario.vessels) {
    const std::string folded = FoldCase(vessel.class_name);
    auto [entry, first] = class_files.try_emplace(folded);
    if (first) {
      entry->second =
          vessel::ReadClassFile(files, options.root, vessel.class_name);
      const vessel::ClassFile& file = entry->second;
      if (!file.mass.problem.empty() && !vessel.mass) {
        warnings.push_back(
            {ShownPath(file.disk_path), file.mass.line,
             file.mass.problem + "; vessels of class " + vessel.class_name +
                 " weigh the default " +
                 std::to_string(static_cast<int>(kDefaultVesselMass)) + " kg"});
      }
    }
    vessel::VesselInputs inputs;
    inputs.mass = vessel.mass;
    inputs.mass_from = "scenario MASS";
    const auto given = options.class_masses.find(folded);
    if (given != options.class_masses.end()) {
      inputs.class_mass = given->second;
      inputs.class_mass_from = "--mass " + vessel.class_name;
    }
    inputs.levels = vessel.propellant_levels;
    inputs.fuel = vessel.fuel_level;
    models.push_back(vessel::ModelVessel(entry->second, inputs));
  }
  return models;
}

void AddVessel(Session& session, const ScenarioVessel& vessel,
               const vessel::VesselModel& model) {
  SimObject& added =
      session.vessels().AddVessel(vessel.name, vessel.class_name, model.mass);
  if (model.default_points) return;
  added.touchdown.clear();
  for (const physics::ContactPoint& p : model.own_points) {
    TOUCHDOWNVTX v{};
    v.pos.x = p.pos.x;
    v.pos.y = p.pos.y;
    v.pos.z = p.pos.z;
    v.stiffness = p.stiffness;
    v.damping = p.damping;
    v.mu = p.mu;
    v.mu_lng = p.mu_lng;
    added.touchdown.push_back(v);
  }
}

// The vessels at the end of a simulation; `created` holds the scenario's
// index of each vessel in the order the host created them.
std::vector<VesselOutcome> CollectVessels(
    const Session& session, const Scenario& scenario,
    const std::vector<vessel::VesselModel>& models,
    const std::vector<std::size_t>& created) {
  std::vector<VesselOutcome> outcomes;
  outcomes.reserve(created.size());
  for (std::size_t i = 0; i < session.vessels().vessel_count(); ++i) {
    const SimObject& vessel = *session.vessels().VesselAt(i);
    const std::size_t from = created[i];
    VesselOutcome outcome;
    outcome.name = vessel.name;
    outcome.class_name = vessel.class_name.value_or("");
    outcome.mass = vessel.mass;
    outcome.source = vessel.source;
    outcome.touchdown_sets = vessel.touchdown_sets;
    outcome.touchdown = vessel.touchdown;
    outcome.model = models[from];
    outcome.spawn_step = scenario.vessels[from].spawn_step;
    outcomes.push_back(std::move(outcome));
  }
  return outcomes;
}

// The host log's lines from `from` on.
std::vector<std::string> LogSince(const PluginHost& host, std::size_t from) {
  const std::vector<std::string>& shown = host.log().shown();
  return std::vector<std::string>(
      shown.begin() + static_cast<std::ptrdiff_t>(from), shown.end());
}

// Loads the plug-in into `host`, or says why not.
bool LoadPlugin(PluginHost& host, const SessionOptions& options,
                SessionError* error) {
  host.log().WriteTo(options.log_output);
  if (!host.Load(options.plugin, &error->message)) return false;
  if (host.library()->Find<void (*)(HINSTANCE)>("InitModule") == nullptr) {
    error->message = options.plugin + ": the plug-in exports no InitModule";
    return false;
  }
  return true;
}

// One simulation of `scenario` in `host`, with the plug-in loaded.
SessionResult Simulate(PluginHost& host, const Scenario& scenario,
                       const SessionOptions& options, std::size_t log_from) {
  SessionResult result;
  // A stage that wrote lines is marked where its lines begin.
  const auto lines = [&host] { return host.log().shown().size(); };
  const auto stage = [&](std::size_t begin, const auto& name) {
    if (lines() > begin)
      result.log_stages.push_back({name(), begin - log_from});
  };
  if (log_from == 0) result.log_stages.push_back({"loading", 0});
  const std::vector<vessel::VesselModel> models =
      ModelVessels(host.file_system(), options, scenario, result.warnings);
  Session session(host);
  session.record_file_events = options.record_file_events;
  // The vessels by the step they appear in, each step's in scenario order:
  // every step takes its own, whatever the count.
  std::vector<std::size_t> arriving(scenario.vessels.size());
  for (std::size_t i = 0; i < arriving.size(); ++i) arriving[i] = i;
  std::stable_sort(arriving.begin(), arriving.end(),
                   [&scenario](std::size_t a, std::size_t b) {
                     return scenario.vessels[a].spawn_step <
                            scenario.vessels[b].spawn_step;
                   });
  auto next = arriving.begin();
  std::vector<std::size_t> created;
  created.reserve(arriving.size());
  const auto add = [&](std::size_t i) {
    AddVessel(session, scenario.vessels[i], models[i]);
    created.push_back(i);
  };
  for (; next != arriving.end() && scenario.vessels[*next].spawn_step <= 0;
       ++next) {
    add(*next);
  }
  const ModuleCalls& calls = CurrentModuleCalls();
  // The modules loaded when the simulation starts serve all of it.
  const std::vector<oapi::Module*> modules = host.modules();
  std::size_t begin = lines();
  for (oapi::Module* module : modules) calls.simulation_start(module);
  stage(begin, [] { return "simulation start"; });
  for (int step = 1; step <= options.steps; ++step) {
    begin = lines();
    for (; next != arriving.end() && scenario.vessels[*next].spawn_step == step;
         ++next) {
      add(*next);
      OBJHANDLE handle =
          session.vessels().VesselAt(session.vessels().vessel_count() - 1);
      for (oapi::Module* module : modules) calls.new_vessel(module, handle);
    }
    const double simt = step * kStepLength;
    for (oapi::Module* module : modules) {
      calls.post_step(module, simt, kStepLength,
                      kStartDate + simt / kSecondsPerDay);
    }
    stage(begin, [step] { return "step " + std::to_string(step); });
  }
  // The host destroys the vessels, then ends the simulation.
  result.vessels = CollectVessels(session, scenario, models, created);
  session.DestroyVessels();
  begin = lines();
  for (oapi::Module* module : modules) calls.simulation_end(module);
  stage(begin, [] { return "simulation end"; });
  result.log = LogSince(host, log_from);
  result.faults = session.faults();
  result.files_left_open = session.files().open_count();
  result.file_events = session.file_events();
  return result;
}

}  // namespace

std::optional<RunResult> RunScenarios(const std::vector<Scenario>& scenarios,
                                      const SessionOptions& options,
                                      SessionError* error) {
  std::unique_ptr<FileSystem> files;
  if (options.files != nullptr) {
    files = std::make_unique<FileSystemWrapper>(options.files);
  } else {
    files = std::make_unique<DiskFileSystem>();
  }
  PluginHost host(options.root, std::move(files), options.edition);
  if (!LoadPlugin(host, options, error)) return std::nullopt;
  RunResult result;
  // The first simulation's log begins with the lines of loading.
  std::size_t log_from = 0;
  for (const Scenario& scenario : scenarios) {
    result.simulations.push_back(Simulate(host, scenario, options, log_from));
    log_from = host.log().shown().size();
  }
  const std::size_t unload_from = host.log().shown().size();
  host.Unload();
  result.unload_log = LogSince(host, unload_from);
  result.faults = host.faults();
  return result;
}

std::optional<SessionResult> RunSession(const Scenario& scenario,
                                        const SessionOptions& options,
                                        SessionError* error) {
  auto run = RunScenarios({scenario}, options, error);
  if (!run) return std::nullopt;
  SessionResult result = std::move(run->simulations.front());
  if (!run->unload_log.empty()) {
    result.log_stages.push_back({"unloading", result.log.size()});
  }
  result.log.insert(result.log.end(), run->unload_log.begin(),
                    run->unload_log.end());
  result.faults.insert(result.faults.begin(), run->faults.begin(),
                       run->faults.end());
  return result;
}

}  // namespace standin
