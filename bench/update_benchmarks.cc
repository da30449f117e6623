// The update of one vessel through the stand-in host on real files: with a
// definition under the vessel's name for several sizes, under its class,
// and with none.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <filesystem>
#include <string>

#include "allocation_counter.h"
#include "bench_host.h"
#include "definition_text.h"
#include "orbiter_api.h"

namespace {

// The host keeps every log line and a record of every file access. It is
// started afresh before these grow beyond what a short session collects, so
// that the timings show the update rather than the growth of the records.
constexpr std::size_t kMaxLogLines = 1024;

constexpr int kClassMatchPoints = 8;

// Times UpdateVessel on the first vessel of `host`. `file` is the file the
// update reads, counted in the results.
void TimeUpdates(benchmark::State& state, BenchHost& host,
                 const std::filesystem::path& file) {
  for (auto _ : state) {
    host.module().UpdateVessel(host.vessel(0));
    if (host.log_lines() > kMaxLogLines) {
      state.PauseTiming();
      host.Renew();
      state.ResumeTiming();
    }
  }
  if (!host.faults().empty()) state.SkipWithError(host.faults()[0].c_str());
  if (!file.empty()) {
    state.counters["file_bytes"] =
        static_cast<double>(std::filesystem::file_size(file));
  }
}

void BM_UpdateNameMatch(benchmark::State& state) {
  const int points = static_cast<int>(state.range(0));
  HostFolder folder;
  const auto file =
      folder.WriteDefinition("Lander.cfg", DefinitionText(points));
  folder.Settle();
  BenchHost host(folder.path(), {{"Lander", "LanderClass"}});

  // One update outside the timing, with the heap counted: the peak of the
  // module's own blocks (its table and the copy it hands over), and the
  // peak of all (with the host's log lines and the vessel's points).
  allocation_counter::Start();
  host.module().UpdateVessel(host.vessel(0));
  const allocation_counter::Counts update = allocation_counter::Stop();
  state.counters["module_peak_heap_bytes"] =
      static_cast<double>(update.module_peak);
  state.counters["peak_heap_bytes"] = static_cast<double>(update.peak);
  // What the host holds for the file while a module has it open: its item
  // index.
  allocation_counter::Start();
  FILEHANDLE opened =
      oapiOpenFile("Vantrel\\Lander.cfg", FILE_IN_ZEROONFAIL, CONFIG);
  const allocation_counter::Counts open = allocation_counter::Stop();
  oapiCloseFile(opened, FILE_IN_ZEROONFAIL);
  state.counters["open_file_heap_bytes"] = static_cast<double>(open.live);
  state.counters["vertex_bytes"] =
      static_cast<double>(points * sizeof(TOUCHDOWNVTX));
  state.counters["points"] = points;

  TimeUpdates(state, host, file);
}
BENCHMARK(BM_UpdateNameMatch)->Apply(PointCounts)->UseRealTime();

void BM_UpdateClassMatch(benchmark::State& state) {
  HostFolder folder;
  const auto file = folder.WriteDefinition("LanderClass.cfg",
                                           DefinitionText(kClassMatchPoints));
  folder.Settle();
  BenchHost host(folder.path(), {{"Lander", "LanderClass"}});
  TimeUpdates(state, host, file);
}
BENCHMARK(BM_UpdateClassMatch)->UseRealTime();

void BM_UpdateNoMatch(benchmark::State& state) {
  HostFolder folder;
  folder.WriteDefinition("Other.cfg", DefinitionText(kClassMatchPoints));
  folder.Settle();
  BenchHost host(folder.path(), {{"Lander", "LanderClass"}});
  TimeUpdates(state, host, {});
}
BENCHMARK(BM_UpdateNoMatch)->UseRealTime();

}  // namespace
