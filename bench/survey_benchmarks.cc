// `vantrel survey` of the simulator's own sample (bench/data/
// simulator-sample: its 157 stock scenarios, 717 vessels, its class files
// and the files of the bodies they land on): the whole command with every
// verdict, both masses of a class with tanks, each body's gravity, every
// time acceleration a player can select, the answers on slopes; and the
// same with two classes given their masses on the command line, whose
// heavier sets cost more to judge. Beside them, the
// survey as it was made before it judged a set as `vantrel drop` does: the
// same scenarios through the plug-in, then one bare drop of each distinct
// set at its mass under 9.81 m/s^2, on as many threads. The budget compares
// the two.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "files/disk_file_system.h"
#include "formats/scenario.h"
#include "physics/drop_test.h"
#include "standin/session.h"
#include "tools/survey_command.h"
#include "vessel/vessel_model.h"

namespace {

namespace fs = std::filesystem;

const fs::path& Sample() {
  static const fs::path sample = VANTREL_BENCH_SAMPLE;
  return sample;
}

// The masses a user gives to the classes whose modules set theirs in code.
std::vector<formats::ClassMass> Masses() {
  return {{"ShuttleA", 160000.0}, {"DeltaGlider", 14000.0}};
}

void Survey(benchmark::State& state, bool masses) {
  tools::SurveyArguments arguments;
  arguments.root = Sample().string();
  arguments.plugin = VANTREL_BENCH_PLUGIN;
  if (masses) arguments.class_masses = Masses();
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
void BM_SurveySample(benchmark::State& state) { Survey(state, false); }
void BM_SurveySampleWithMasses(benchmark::State& state) { Survey(state, true); }
// The survey judges its sets on threads: the CPU time is the process's.
BENCHMARK(BM_SurveySample)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(BM_SurveySampleWithMasses)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// Every scenario of the sample, read and parsed.
std::vector<formats::Scenario> SampleScenarios() {
  std::vector<formats::Scenario> scenarios;
  for (const auto& entry :
       fs::recursive_directory_iterator(Sample() / "Scenarios")) {
    if (entry.path().extension() != ".scn") continue;
    std::ifstream file(entry.path(), std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    scenarios.push_back(formats::ParseScenario(text.str()));
  }
  return scenarios;
}

// What tells two bare drops apart: the vessel's numbers and its points.
std::string KeyOf(const physics::DropSetup& setup) {
  std::string key;
  char number[32];
  const auto add = [&](double value) {
    std::snprintf(number, sizeof number, "%a ", value);
    key += number;
  };
  add(setup.body.mass);
  add(setup.body.inertia.x);
  add(setup.body.inertia.y);
  add(setup.body.inertia.z);
  add(setup.body.size);
  for (const physics::ContactPoint& p : setup.points) {
    for (double value :
         {p.pos.x, p.pos.y, p.pos.z, p.stiffness, p.damping, p.mu, p.mu_lng}) {
      add(value);
    }
  }
  return key;
}

void BM_SurveySampleBefore(benchmark::State& state) {
  const std::vector<formats::Scenario> scenarios = SampleScenarios();
  standin::SessionOptions options;
  options.root = Sample();
  options.plugin = VANTREL_BENCH_PLUGIN;
  std::ostringstream faults;
  options.faults_to = &faults;
  for (auto _ : state) {
    std::string error;
    const auto run = standin::RunScenarios(scenarios, options, &error);
    if (!run) {
      state.SkipWithError(("the plug-in did not run: " + error).c_str());
      break;
    }
    std::map<std::string, physics::DropSetup> distinct;
    for (const standin::SessionResult& simulation : run->simulations) {
      for (const standin::VesselOutcome& vessel : simulation.vessels) {
        const physics::DropSetup setup =
            vessel::DropSetupOf(vessel.model, vessel.model.own_points);
        distinct.try_emplace(KeyOf(setup), setup);
      }
    }
    std::vector<const physics::DropSetup*> drops;
    for (const auto& [key, setup] : distinct) drops.push_back(&setup);
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
      for (std::size_t i = next++; i < drops.size(); i = next++) {
        benchmark::DoNotOptimize(physics::RunDrop(*drops[i]));
      }
    };
    std::vector<std::thread> helpers;
    for (unsigned t = 1; t < std::max(1u, std::thread::hardware_concurrency());
         ++t) {
      helpers.emplace_back(work);
    }
    work();
    for (std::thread& helper : helpers) helper.join();
    state.counters["drops"] = static_cast<double>(drops.size());
  }
}
BENCHMARK(BM_SurveySampleBefore)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

}  // namespace
