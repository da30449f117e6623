// `vantrel survey` of an installation laid out as the simulator's sample:
// 157 scenarios, 717 vessels of a few classes, landed on the Earth, the Moon
// and Mars or in orbit, with definitions for two classes given their masses
// on the command line. The whole command with every verdict: both masses
// of a class with tanks, each body's gravity, every time acceleration a
// player can select. Beside it, the survey as it was made before it judged
// a set as `vantrel drop` does: the same scenarios through the plug-in,
// then one bare drop of each distinct set, mass and gravity. The budget
// compares the two.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "bench_host.h"
#include "disk_file_system.h"
#include "drop_setup.h"
#include "drop_test.h"
#include "run_command.h"
#include "survey_command.h"

namespace {

namespace fs = std::filesystem;

constexpr int kScenarios = 157;

struct FleetClass {
  const char* name;
  double mass;             // kg, as --mass CLASS=KG gives it; 0: class file
  const char* definition;  // empty: none
};

// A 7-point set for a 160 t shuttle, and a 13-point one for a 14 t glider.
constexpr const char* kShuttleSet =
    "N = 7\n"
    "POINT_1 = 0 -2.6 7 3e6 5e5 0.5 0.2\n"
    "POINT_2 = -3 -2.6 -6 3e6 5e5 0.5 0.2\n"
    "POINT_3 = 3 -2.6 -6 3e6 5e5 0.5 0.2\n"
    "POINT_4 = -3 -2.6 7 3e6 5e5 0.5 0.2\n"
    "POINT_5 = 3 -2.6 7 3e6 5e5 0.5 0.2\n"
    "POINT_6 = 0 4 0 3e6 5e5 0.5 0.2\n"
    "POINT_7 = 0 0 -12 3e6 5e5 0.5 0.2\n";
constexpr const char* kGliderSet =
    "N = 13\n"
    "POINT_1 = 0.14 -2.51 8.71 2.5e5 2.5e4 3 3\n"
    "POINT_2 = -3.38 -2.51 -3.13 2.5e5 2.5e4 3 3\n"
    "POINT_3 = 3.38 -2.51 -3.13 2.5e5 2.5e4 3 3\n"
    "POINT_4 = -8.84 2.37 -7.07 2.5e5 2.5e4 3 3\n"
    "POINT_5 = 0.01 -0.62 10.68 2.5e5 2.5e4 3 3\n"
    "POINT_6 = 1.0 -0.74 -8.04 2.5e5 2.5e4 3 3\n"
    "POINT_7 = 8.93 2.33 -5.27 2.5e5 2.5e4 3 3\n"
    "POINT_8 = -8.93 2.33 -5.27 2.5e5 2.5e4 3 3\n"
    "POINT_9 = 8.5 -0.37 -3.05 2.5e5 2.5e4 3 3\n"
    "POINT_10 = -8.5 -0.37 -3.05 2.5e5 2.5e4 3 3\n"
    "POINT_11 = 8.84 2.37 -7.07 2.5e5 2.5e4 3 3\n"
    "POINT_12 = 8.5 -0.31 -7.05 2.5e5 2.5e4 3 3\n"
    "POINT_13 = -8.5 -0.31 -7.05 2.5e5 2.5e4 3 3\n";

const std::vector<FleetClass>& Classes() {
  static const std::vector<FleetClass> classes{
      {"ShuttleA", 160000.0, kShuttleSet},
      {"DeltaGlider", 14000.0, kGliderSet},
      {"ShuttlePB", 0.0, ""},
      {"Tanker", 0.0, ""},
      {"Station", 0.0, ""}};
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
  for (const FleetClass& c : Classes()) {
    if (*c.definition != '\0') {
      folder.WriteDefinition(std::string(c.name) + ".cfg", c.definition);
    }
  }
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

std::vector<standin::ClassMass> Masses() {
  std::vector<standin::ClassMass> masses;
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
    standin::DiskFileSystem disk;
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
// and its definition's, at its mass, on each body it lands on.
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
      if (c < 2) {
        physics::ContactPoints set = DefaultPoints();
        set.push_back({{0, 4, 0}, 3e6, 5e5, 0.5, 0.2});
        drops.push_back(physics::MakeDropSetup(vessel, set, options));
      }
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
    standin::DiskFileSystem disk;
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
