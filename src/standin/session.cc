#include "session.h"

#include <map>

#include "class_file.h"
#include "file_system_wrapper.h"
#include "host.h"
#include "item_file.h"
#include "module_calls.h"
#include "plugin_library.h"
#include "vessel_mass.h"

namespace standin {
namespace {

constexpr double kStepLength = 0.02;    // s
constexpr double kStartDate = 51544.5;  // MJD of the first step
constexpr double kSecondsPerDay = 86400.0;

struct VesselMass {
  double kg = kDefaultVesselMass;
  MassSource source;
};

// The mass of every vessel of `scenario`, in its order. Each class file is
// read once; one whose Mass does not count gets one warning.
std::vector<VesselMass> ResolveMasses(FileSystem& files,
                                      const std::filesystem::path& root,
                                      const Scenario& scenario,
                                      std::vector<FileProblem>& warnings) {
  std::map<std::string, ClassFileMass> class_files;
  std::vector<VesselMass> masses;
  for (const ScenarioVessel& vessel : scenario.vessels) {
    VesselMass mass;
    if (vessel.mass) {
      mass.kg = *vessel.mass;
      mass.source.kind = MassSource::Kind::kScenario;
      masses.push_back(mass);
      continue;
    }
    auto [entry, first] = class_files.try_emplace(FoldCase(vessel.class_name));
    if (first) {
      entry->second = ReadClassFileMass(files, root, vessel.class_name);
      const ClassFileMass& file = entry->second;
      if (!file.problem.empty()) {
        warnings.push_back(
            {file.disk_path.string(), file.line,
             file.problem + "; vessels of class " + vessel.class_name +
                 " weigh the default " +
                 std::to_string(static_cast<int>(kDefaultVesselMass)) + " kg"});
      }
    }
    if (entry->second.mass) {
      mass.kg = *entry->second.mass;
      mass.source = {MassSource::Kind::kClassFile, entry->second.file};
    }
    masses.push_back(mass);
  }
  return masses;
}

void AddVessel(Host& host, const ScenarioVessel& vessel,
               const VesselMass& mass) {
  host.vessels().AddVessel(vessel.name, vessel.class_name, mass.kg);
}

SessionResult Collect(Host& host, const Scenario& scenario,
                      const std::vector<VesselMass>& masses) {
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
    for (std::size_t j = 0; j < scenario.vessels.size(); ++j) {
      if (scenario.vessels[j].name != vessel.name) continue;
      outcome.mass_source = masses[j].source;
      outcome.spawn_step = scenario.vessels[j].spawn_step;
    }
    result.vessels.push_back(std::move(outcome));
  }
  return result;
}

}  // namespace

std::optional<SessionResult> RunSession(const Scenario& scenario,
                                        const SessionOptions& options,
                                        SessionError* error) {
  std::unique_ptr<FileSystem> files;
  if (options.files != nullptr) {
    files = std::make_unique<FileSystemWrapper>(options.files);
  } else {
    files = std::make_unique<DiskFileSystem>();
  }
  Host host(options.root, std::move(files));
  host.record_file_events = options.record_file_events;
  host.log().WriteTo(options.log_output);
  auto plugin = PluginLibrary::Load(options.plugin, &error->message);
  if (!plugin) return std::nullopt;
  using InitModuleFunction = void (*)(HINSTANCE);
  const auto init_module = plugin->Find<InitModuleFunction>("InitModule");
  if (init_module == nullptr) {
    error->message = options.plugin + ": the plug-in exports no InitModule";
    return std::nullopt;
  }
  init_module(plugin->handle());

  std::vector<FileProblem> warnings;
  const std::vector<VesselMass> masses =
      ResolveMasses(host.file_system(), options.root, scenario, warnings);
  for (std::size_t i = 0; i < scenario.vessels.size(); ++i) {
    if (scenario.vessels[i].spawn_step == 0) {
      AddVessel(host, scenario.vessels[i], masses[i]);
    }
  }
  const ModuleCalls& calls = CurrentModuleCalls();
  for (oapi::Module* module : host.modules()) calls.simulation_start(module);
  for (int step = 1; step <= options.steps; ++step) {
    for (std::size_t i = 0; i < scenario.vessels.size(); ++i) {
      if (scenario.vessels[i].spawn_step != step) continue;
      AddVessel(host, scenario.vessels[i], masses[i]);
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
  SessionResult result = Collect(host, scenario, masses);
  result.warnings = std::move(warnings);
  return result;
}

}  // namespace standin
