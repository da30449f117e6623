// `vantrel survey` of an installation laid out as the simulator's sample:
// 157 scenarios, 717 vessels of a few classes on their own points, landed
// on the Earth, the Moon and Mars or in orbit, two classes given their
// masses on the command line, one with tanks. The whole command with every
// verdict: both masses of a class with tanks, each body's gravity, every
// time acceleration a player can select. Beside it, the survey as it was
// made before it judged a set as `vantrel drop` does: the same scenarios
// through the plug-in, then one bare drop of each distinct set, mass and
// gravity. The budget compares the two.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "bench_host.h"
#include "files/disk_file_system.h"
#include "physics/drop_setup.h"
#include "physics/drop_test.h"
#include "tools/run_command.h"
#include "tools/survey_command.h"

namespace {

namespace fs = std::filesystem;

constexpr int kScenarios = 157;

struct FleetClass {
  const char* name;
  double mass;  // kg, as --mass CLASS=KG gives it; 0: class file or default
};

const std::vector<FleetClass>& Classes() {
  static const std::vector<FleetClass> classes{{"ShuttleA", 160000.0},
                                               {"DeltaGlider", 14000.0},
                                               {"ShuttlePB", 0.0},
                                               {"Tanker", 0.0},
                                               {"Station", 0.0}};
  return classes;
}

// The body files as the simulator ships them (Mass and Size), and where
// each scenario puts its vessels: the i-th vessel of a scenario.
constexpr const char* kBodies[][3] = {{"Earth", "5.973698968e+24", "6.37101e6"},
                                      {"Moon", "7.347664e+22", "1.73805e6"},
                                      {"Mars", "6.418542e+23", "3.38992e6"}};

std::string StatusOf(int scenario, int vessel) {
  const int pick = (scenario * 7 + vessel * 3) % 8;
  if (pick >= 5) return "STATUS Orbiting Earth";
  return std::string("STATUS Landed ") + kBodies[pick % 3][0];
}

void WriteSample(const HostFolder& folder) {
  fs::create_directories(folder.path() / "Config" / "Vessels");
  fs::create_directories(folder.path() / "Scenarios");
  for (const auto& body : kBodies) {
    folder.WriteFile(
        fs::path("Config") / (std::string(body[0]) + ".cfg"),
        std::string("Mass = ") + body[1] + "\nSize = " + body[2] + "\n");
  }
  folder.WriteFile(fs::path("Config") / "Vessels" / "Tanker.cfg",
                   "ClassName = Tanker\nMass = 2500\nSize = 12\n"
                   "PropellantResource1 = 800\n");
  folder.WriteFile(fs::path("Config") / "Vessels" / "Station.cfg",
                   "ClassName = Station\nMass = 450000\nSize = 50\n");
  int written = 0;
  for (int s = 0; s < kScenarios; ++s) {
    std::string scenario = "BEGIN_SHIPS\n";
    const int count = s < 89 ? 5 : 4;  // 717 vessels in all
    for (int v = 0; v < count; ++v, ++written) {
      const FleetClass& c = Classes()[(s + v) % Classes().size()];
      scenario += "V-" + std::to_string(written) + ":" + c.name + "\n  " +
                  StatusOf(s, v) + "\nEND\n";
    }
    folder.WriteFile(fs::path("Scenarios") / ("S" + std::to_string(s) + ".scn"),
                     scenario + "END_SHIPS\n");
  }
  folder.Settle();
}

std::vector<formats::ClassMass> Masses() {
  std::vector<formats::ClassMass> masses;
  for (const FleetClass& c : Classes()) {
    if (c.mass > 0.0) masses.push_back({c.name, c.mass});
  }
  return masses;
}

void BM_SurveySample(benchmark::State& state) {
  HostFolder folder;
  WriteSample(folder);
  tools::SurveyArguments arguments;
  arguments.root = folder.path().string();
  arguments.plugin = VANTREL_BENCH_PLUGIN;
  arguments.class_masses = Masses();
  for (auto _ : state) {
    std::ostringstream out;
    std::ostringstream err;
    files::DiskFileSystem disk;
    if (tools::SurveyCommand(arguments, disk, out, err) != 0) {
      state.SkipWithError(("vantrel survey failed: " + err.str()).c_str());
      break;
    }
    benchmark::DoNotOptimize(out);
  }
}
// The survey judges its sets on threads: the CPU time is the process's.
BENCHMARK(BM_SurveySample)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// The host's default points, which every class here keeps as its own.
physics::ContactPoints DefaultPoints() {
  physics::ContactPoints points;
  for (const physics::Vec3& p :
       {physics::Vec3{0, -2, 10}, {-3, -2, -5}, {3, -2, -5}}) {
    points.push_back({p, 1e6, 1e5, 0.5, 0.1});
  }
  return points;
}

// The distinct bare drops the survey made before: each class's own points
// at its mass on each body it lands on.
std::vector<physics::DropSetup> BareDrops() {
  const double gravities[] = {9.8202, 1.6231, 3.7268};
  const double masses[] = {160000.0, 14000.0, 1000.0, 2500.0, 450000.0};
  std::vector<physics::DropSetup> drops;
  for (std::size_t c = 0; c < Classes().size(); ++c) {
    physics::DroppedVessel vessel;
    vessel.body.mass = masses[c];
    vessel.body.inertia = {15.5, 22.1, 7.7};
    vessel.body.size = 10.0;
    vessel.own_points = DefaultPoints();
    for (double g : gravities) {
      physics::DropOptions options;
      options.gravity = g;
      drops.push_back(
          physics::MakeDropSetup(vessel, vessel.own_points, options));
    }
  }
  return drops;
}

void BM_SurveySampleBefore(benchmark::State& state) {
  HostFolder folder;
  WriteSample(folder);
  tools::RunArguments arguments;
  arguments.root = folder.path().string();
  arguments.plugin = VANTREL_BENCH_PLUGIN;
  arguments.class_masses = Masses();
  for (int s = 0; s < kScenarios; ++s) {
    arguments.scenarios.push_back("S" + std::to_string(s));
  }
  const std::vector<physics::DropSetup> drops = BareDrops();
  for (auto _ : state) {
    std::ostringstream out;
    std::ostringstream err;
    files::DiskFileSystem disk;
    if (tools::RunCommand(arguments, disk, out, err) != 0) {
      state.SkipWithError(("vantrel run failed: " + err.str()).c_str());
      break;
    }
    for (const physics::DropSetup& drop : drops) {
      benchmark::DoNotOptimize(physics::RunDrop(drop));
    }
  }
}
BENCHMARK(BM_SurveySampleBefore)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

}  // namespace
