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

namespace {

// The host keeps what every update did; it is started afresh before its
// records grow large enough to slow it down.
constexpr std::size_t kMaxLogLines = 1 << 14;

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

  // One update outside the timing, with the heap counted.
  allocation_counter::Start();
  host.module().UpdateVessel(host.vessel(0));
  state.counters["peak_heap_bytes"] =
      static_cast<double>(allocation_counter::StopAndGetPeak());
  state.counters["vertex_bytes"] =
      static_cast<double>(points * sizeof(TOUCHDOWNVTX));
  state.counters["points"] = points;

  TimeUpdates(state, host, file);
}
BENCHMARK(BM_UpdateNameMatch)
    ->Arg(3)
    ->Arg(8)
    ->Arg(64)
    ->Arg(512)
    ->Arg(4096)
    ->UseRealTime();

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
