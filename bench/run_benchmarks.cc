// `vantrel run` on scenarios of 1 000, 10 000 and 100 000 vessels: the whole
// command, from reading the scenario to the printed tables and the log file,
// with the plug-in loaded from its library as the command loads it. Each
// vessel costs the same whatever the count: the budget compares the time
// per vessel at 100 000 with that at 1 000.
//
// The fleet mixes what a scenario holds. Most vessels are of one class
// with a definition and a class file; every tenth has a definition under
// its own name, which makes the folder grow with the fleet; every tenth
// another is of a class of its own, with no files, so its lookups miss;
// every seventh arrives during the run and is reported to the plug-in as
// new.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>

#include "bench_host.h"
#include "definition_text.h"
#include "files/disk_file_system.h"
#include "tools/run_command.h"

namespace {

namespace fs = std::filesystem;

constexpr int kPointsPerDefinition = 8;

std::string Numbered(const char* prefix, int number) {
  char text[32];
  std::snprintf(text, sizeof text, "%s%06d", prefix, number);
  return text;
}

// Writes the fleet's scenario, definitions and class file into `folder`.
void WriteFleet(const HostFolder& folder, int count) {
  const std::string definition = DefinitionText(kPointsPerDefinition);
  fs::create_directories(folder.path() / "Config" / "Vessels");
  fs::create_directories(folder.path() / "Scenarios");
  folder.WriteDefinition("Shuttle.cfg", definition);
  // The body the fleet stands on, as the simulator's own file gives it: run
  // reports each vessel's body and gravity.
  folder.WriteFile(fs::path("Config") / "Earth.cfg",
                   "Mass = 5.973698968e+24\nSize = 6.37101e6\n"
                   "ElevationResolution = 0.5\n");
  folder.WriteFile(fs::path("Config") / "Vessels" / "Shuttle.cfg",
                   "ClassName = Shuttle\nMass = 12000\nSize = 8\n"
                   "PropellantResource1 = 3000\n");
  std::string scenario =
      "BEGIN_ENVIRONMENT\n  System Sol\nEND_ENVIRONMENT\nBEGIN_SHIPS\n";
  for (int i = 0; i < count; ++i) {
    const std::string name = Numbered("Ship-", i);
    if (i % 10 == 3) folder.WriteDefinition(name + ".cfg", definition);
    const std::string class_name =
        i % 10 == 7 ? Numbered("Tug-", i) : std::string("Shuttle");
    scenario += name + ":" + class_name + "\n  STATUS Landed Earth\n";
    if (i % 7 == 0) {
      scenario += "  SPAWN_STEP " + std::to_string(i % 10 + 1) + "\n";
    }
    scenario += "END\n";
  }
  scenario += "END_SHIPS\n";
  folder.WriteFile(fs::path("Scenarios") / "Fleet.scn", scenario);
  folder.Settle();
}

void BM_RunVessels(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  HostFolder folder;
  WriteFleet(folder, count);
  tools::RunArguments arguments;
  arguments.root = folder.path().string();
  arguments.scenarios = {"Fleet"};
  arguments.plugin = VANTREL_BENCH_PLUGIN;
  arguments.log_file = (folder.path() / "fleet.log").string();
  for (auto _ : state) {
    std::ostringstream out;
    std::ostringstream err;
    // A new file system for each run, as each vantrel run has its own.
    files::DiskFileSystem disk;
    const int code = tools::RunCommand(arguments, disk, out, err);
    if (code != 0) {
      state.SkipWithError(("vantrel run failed: " + err.str()).c_str());
      break;
    }
  }
  state.counters["vessels"] = count;
}
BENCHMARK(BM_RunVessels)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
