#include "standin/session.h"

#include <algorithm>
#include <map>

#include "files/disk_file_system.h"
#include "files/file_system_wrapper.h"
#include "formats/item_file.h"
#include "formats/text_encoding.h"
#include "formats/vessel_mass.h"
#include "standin/host.h"
#include "standin/module_calls.h"
#include "standin/plugin_library.h"

namespace standin {
namespace {

constexpr double kStepLength = 0.02;    // s
constexpr double kStartDate = 51544.5;  // MJD of the first step
constexpr double kSecondsPerDay = 86400.0;

// The model of every vessel of `scenario`, in its order. Each class file is
// read once; one whose Mass does not count gets one warning.
std::vector<vessel::VesselModel> ModelVessels(
    files::FileSystem& files, const SessionOptions& options,
    const formats::Scenario& scenario,
    std::vector<formats::Problem>& warnings) {
  std::map<std::string, vessel::ClassFile> class_files;
  std::vector<vessel::VesselModel> models;
  for (const formats::ScenarioVessel& vessel : scenario.vessels) {
    const std::string folded = formats::FoldCase(vessel.class_name);
    auto [entry, first] = class_files.try_emplace(folded);
    if (first) {
      entry->second =
          vessel::ReadClassFile(files, options.root, vessel.class_name);
      const vessel::ClassFile& file = entry->second;
      if (!file.mass.problem.empty() && !vessel.mass) {
        warnings.push_back(formats::Problem::Warning(
            formats::ShownPath(file.disk_path), file.mass.line,
            file.mass.problem + "; vessels of class " + vessel.class_name +
                " weigh the default " +
                std::to_string(static_cast<int>(formats::kDefaultVesselMass)) +
                " kg"));
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

SimObject& AddVessel(Session& session, const formats::ScenarioVessel& vessel,
                     const vessel::VesselModel& model) {
  SimObject& added =
      session.vessels().AddVessel(vessel.name, vessel.class_name, model.mass);
  if (model.default_points) return added;
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
  return added;
}

// The vessels at the end of a simulation; `created` holds the scenario's
// index of each vessel in the order the host created them.
std::vector<VesselOutcome> CollectVessels(
    const Session& session, const formats::Scenario& scenario,
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
    outcome.touchdown_sets = vessel.touchdown_sets;
    outcome.touchdown = vessel.touchdown;
    outcome.model = models[from];
    outcome.spawn_step = scenario.vessels[from].spawn_step;
    outcome.state = scenario.vessels[from].state;
    outcome.body = scenario.vessels[from].body;
    outcomes.push_back(std::move(outcome));
  }
  return outcomes;
}

// Loads the plug-in into `host`, or says why not.
bool LoadPlugin(PluginHost& host, const SessionOptions& options,
                std::string* error) {
  host.log().WriteTo(options.log_output);
  if (!host.Load(options.plugin, error)) return false;
  if (host.library()->Find<void (*)(HINSTANCE)>("InitModule") == nullptr) {
    *error = options.plugin + ": the plug-in exports no InitModule";
    return false;
  }
  return true;
}

// One simulation of a scenario in a host with the plug-in loaded, in the
// host's stages: Start, then Step for each step, then End.
class Simulation {
 public:
  // `log_from` is where the simulation's part of the host log begins: 0 for
  // the first, whose part holds the lines of loading.
  Simulation(PluginHost& host, const formats::Scenario& scenario,
             const SessionOptions& options, std::size_t log_from)
      : host_(host),
        scenario_(scenario),
        log_from_(log_from),
        models_(ModelVessels(host.file_system(), options, scenario,
                             result_.warnings)),
        session_(host),
        calls_(CurrentModuleCalls()) {
    session_.record_item_reads = options.record_item_reads;
    if (log_from == 0) result_.log_stages.push_back({"loading", 0});
    // The vessels by the step they appear in, each step's in scenario
    // order: every step takes its own, whatever the count.
    arriving_.resize(scenario.vessels.size());
    for (std::size_t i = 0; i < arriving_.size(); ++i) arriving_[i] = i;
    std::stable_sort(arriving_.begin(), arriving_.end(),
                     [&scenario](std::size_t a, std::size_t b) {
                       return scenario.vessels[a].spawn_step <
                              scenario.vessels[b].spawn_step;
                     });
    next_ = arriving_.begin();
    created_.reserve(arriving_.size());
  }

  // Creates the vessels present from the start and starts the simulation
  // in every module loaded now; those modules serve all of it.
  void Start() {
    for (; Arriving(0); ++next_) Create(*next_);
    modules_ = host_.modules();
    const std::size_t begin = Lines();
    for (oapi::Module* module : modules_) calls_.simulation_start(module);
    MarkStage(begin, "simulation start");
  }

  // Step `step` (from 1): creates and reports the vessels that appear in
  // it, then calls every module's post-step.
  void Step(int step) {
    const std::size_t begin = Lines();
    for (; Arriving(step); ++next_) {
      OBJHANDLE handle = Create(*next_);
      for (oapi::Module* module : modules_) calls_.new_vessel(module, handle);
    }
    const double simt = step * kStepLength;
    for (oapi::Module* module : modules_) {
      calls_.post_step(module, simt, kStepLength,
                       kStartDate + simt / kSecondsPerDay);
    }
    MarkStage(begin, "step " + std::to_string(step));
  }

  // Collects the vessels as they stand, destroys them and ends the
  // simulation, as the host does; then what the simulation produced.
  SessionResult End() {
    result_.vessels = CollectVessels(session_, scenario_, models_, created_);
    session_.DestroyVessels();
    const std::size_t begin = Lines();
    for (oapi::Module* module : modules_) calls_.simulation_end(module);
    MarkStage(begin, "simulation end");
    result_.log = host_.log().shown(log_from_);
    result_.faults = session_.faults();
    result_.files_left_open = session_.files().open_count();
    result_.calls = session_.TakeCalls();
    return std::move(result_);
  }

 private:
  bool Arriving(int step) const {
    return next_ != arriving_.end() &&
           scenario_.vessels[*next_].spawn_step <= step;
  }

  OBJHANDLE Create(std::size_t index) {
    created_.push_back(index);
    return &AddVessel(session_, scenario_.vessels[index], models_[index]);
  }

  std::size_t Lines() const { return host_.log().shown_count(); }

  // A stage that wrote lines is marked where its lines begin.
  void MarkStage(std::size_t begin, std::string name) {
    if (Lines() > begin) {
      result_.log_stages.push_back({std::move(name), begin - log_from_});
    }
  }

  PluginHost& host_;
  const formats::Scenario& scenario_;
  const std::size_t log_from_;
  SessionResult result_;
  const std::vector<vessel::VesselModel> models_;
  Session session_;
  const ModuleCalls& calls_;
  std::vector<oapi::Module*> modules_;
  std::vector<std::size_t> arriving_;
  std::vector<std::size_t>::const_iterator next_;
  std::vector<std::size_t> created_;  // scenario indices, in creation order
};

}  // namespace

std::optional<RunResult> RunScenarios(
    const std::vector<formats::Scenario>& scenarios,
    const SessionOptions& options, std::string* error) {
  std::unique_ptr<files::FileSystem> files;
  if (options.files != nullptr) {
    files = std::make_unique<files::FileSystemWrapper>(options.files);
  } else {
    files = std::make_unique<files::DiskFileSystem>();
  }
  PluginHost host(options.root, std::move(files), options.edition);
  if (options.faults_to != nullptr) host.SetFaultStream(options.faults_to);
  if (!LoadPlugin(host, options, error)) return std::nullopt;
  RunResult result;
  // The first simulation's log begins with the lines of loading.
  std::size_t log_from = 0;
  for (const formats::Scenario& scenario : scenarios) {
    Simulation simulation(host, scenario, options, log_from);
    simulation.Start();
    for (int step = 1; step <= options.steps; ++step) simulation.Step(step);
    result.simulations.push_back(simulation.End());
    log_from = host.log().shown_count();
  }
  const std::size_t unload_from = host.log().shown_count();
  host.Unload();
  result.unload_log = host.log().shown(unload_from);
  result.unloading = host.unloading();
  result.faults = host.faults();
  return result;
}

std::optional<SessionResult> RunSession(const formats::Scenario& scenario,
                                        const SessionOptions& options,
                                        std::string* error) {
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
