// The sweep over every vessel during the tenth post-step, in a folder with
// as many definition files as there are vessels: half the vessels have a
// definition under their name, the other half have none under their name or
// their class.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench_host.h"
#include "definition_text.h"
#include "rules/sweep_step.h"

namespace {

constexpr int kPointsPerVessel = 8;

std::string Numbered(const char* prefix, int number) {
  char text[32];
  std::snprintf(text, sizeof text, "%s%05d", prefix, number);
  return text;
}

// Times the tenth post-step over `count` vessels. With `fresh`, a definition
// is removed and written again before each sweep, so that the sweep begins
// in the tick of the clock in which the folder changed, as a run started
// right after its definitions were written does; otherwise the folder was
// last changed before the first sweep.
void TimeSweep(benchmark::State& state, int count, bool fresh) {
  HostFolder folder;
  const std::string text = DefinitionText(kPointsPerVessel);
  std::vector<BenchHost::Vessel> vessels;
  for (int i = 0; i < count; ++i) {
    const std::string name = Numbered("Vessel", i);
    if (i % 2 == 0) {
      folder.WriteDefinition(name + ".cfg", text);
      vessels.push_back({name, "Shuttle"});
    } else {
      // A definition for a vessel that is not in the scene keeps the
      // folder as large as the number of vessels.
      folder.WriteDefinition(Numbered("Absent", i) + ".cfg", text);
      vessels.push_back({name, Numbered("Class", i)});
    }
  }
  folder.Settle();
  BenchHost host(folder.path(), vessels);
  const std::string rewritten = Numbered("Vessel", 0) + ".cfg";

  // The vessels are swept during the tenth post-step, each time by a new
  // host that knows no listing yet.
  for (auto _ : state) {
    state.PauseTiming();
    if (fresh) {
      folder.RemoveDefinition(rewritten);
      folder.WriteDefinition(rewritten, text);
    }
    host.Renew();
    host.module().stepCount = rules::kSweepStep - 1;
    host.module().sweepPending = true;
    state.ResumeTiming();
    host.module().clbkPostStep(0.0, 0.0, 0.0);
  }
  if (!host.faults().empty()) state.SkipWithError(host.faults()[0].c_str());
  state.counters["vessels"] = count;
}

void BM_Sweep(benchmark::State& state) {
  TimeSweep(state, static_cast<int>(state.range(0)), false);
}
BENCHMARK(BM_Sweep)->Arg(100)->Arg(1000)->Arg(10000)->UseRealTime()->Unit(
    benchmark::kMillisecond);

void BM_SweepFresh(benchmark::State& state) {
  TimeSweep(state, static_cast<int>(state.range(0)), true);
}
BENCHMARK(BM_SweepFresh)
    ->Arg(1000)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
