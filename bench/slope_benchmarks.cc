// The answers on a slope for a four-legged lander of 2 t on the Moon
// (kappa 2, friction 3 as the plug-in completes it): its creep on 5
// degrees, one drop of 30 s, and the steepest slope on which it still
// comes to rest, a search of some ten drops.
#include <benchmark/benchmark.h>

#include "slope/creep.h"
#include "slope/freezing_slope.h"

namespace {

physics::DropSetup Lander() {
  physics::DropSetup setup;
  for (const physics::Vec3& foot :
       {physics::Vec3{0, -1.5, 2}, physics::Vec3{-2, -1.5, 0},
        physics::Vec3{2, -1.5, 0}, physics::Vec3{0, -1.5, -2}}) {
    setup.points.push_back({foot, 1e5, 1e4, 3.0, 3.0});
  }
  setup.body.mass = 2000;
  setup.body.inertia = {2, 2.5, 2};
  setup.body.size = 3;
  setup.gravity = 1.6231;
  setup.slope = {5, 0, 2};
  return setup;
}

void BM_SlopeCreep(benchmark::State& state) {
  const physics::DropSetup setup = Lander();
  slope::Creep creep;
  for (auto _ : state) {
    creep = slope::CreepOnSlope(setup);
    benchmark::DoNotOptimize(creep);
  }
  state.counters["creep_mm_s"] = creep.along_mm_s;
}
BENCHMARK(BM_SlopeCreep)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FreezingSlopeSearch(benchmark::State& state) {
  const physics::DropSetup setup = Lander();
  slope::FreezingSlope found;
  for (auto _ : state) {
    found = slope::SearchFreezingSlope(setup, 0.05);
    benchmark::DoNotOptimize(found);
  }
  state.counters["slope_deg"] = found.slope_deg.value_or(-1.0);
  state.counters["runs"] = found.runs;
}
BENCHMARK(BM_FreezingSlopeSearch)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

}  // namespace
