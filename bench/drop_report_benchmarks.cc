// `vantrel drop`'s whole report on a 14 t glider whose definition the
// plug-in completes: the vessel's own points and the definition dropped,
// every time acceleration a player can select run from both starts, the
// text printed. Beside it, the same report as it was made before it ran
// those steps: the two drops and a search for the highest warp that lands.
// The budget compares the two. Beside them, the report with --slope 5 on
// the Moon: the drops and steps on the slope, and each set's answer there.
#include <benchmark/benchmark.h>

#include <sstream>

#include "legacy_warp_search.h"
#include "physics/stability.h"
#include "report/drop_report.h"
#include "report/slope_text.h"
#include "rules/definition_rules.h"

namespace {

constexpr double kMass = 14000.0;

// The host's default points, which the glider keeps without a definition.
physics::DroppedVessel Glider() {
  physics::DroppedVessel vessel;
  vessel.body.mass = kMass;
  vessel.body.inertia = {15.5, 22.1, 7.7};
  vessel.body.size = 10.0;
  for (const physics::Vec3& p :
       {physics::Vec3{0, -2, 10}, {-3, -2, -5}, {3, -2, -5}}) {
    vessel.own_points.push_back({p, 1e6, 1e5, 0.5, 0.1});
  }
  vessel.switch_frame = 10;
  return vessel;
}

// Its three wheels and ten points of its hull, with the springs and the
// friction the plug-in completes.
physics::ContactPoints GliderSet() {
  const physics::Vec3 positions[] = {
      {0.14, -2.51, 8.71},  {-3.38, -2.51, -3.13}, {3.38, -2.51, -3.13},
      {-8.84, 2.37, -7.07}, {0.01, -0.62, 10.68},  {1.0, -0.74, -8.04},
      {8.93, 2.33, -5.27},  {-8.93, 2.33, -5.27},  {8.5, -0.37, -3.05},
      {-8.5, -0.37, -3.05}, {8.84, 2.37, -7.07},   {8.5, -0.31, -7.05},
      {-8.5, -0.31, -7.05}};
  physics::ContactPoints points;
  for (const physics::Vec3& p : positions) {
    points.push_back({p, rules::CompletedStiffness(kMass),
                      rules::CompletedDamping(kMass), 3.0, 3.0});
  }
  return points;
}

void BM_DropReport(benchmark::State& state) {
  const physics::DroppedVessel vessel = Glider();
  const physics::ContactPoints set = GliderSet();
  double safe = 0.0;
  for (auto _ : state) {
    const report::DroppedSet before =
        report::DropSet("before", vessel, vessel.own_points, {}, false);
    const report::DroppedSet after =
        report::DropSet("after", vessel, set, {}, true);
    std::ostringstream out;
    report::PrintDropText(before, after, out);
    benchmark::DoNotOptimize(out);
    safe = after.sweep.safe_warp.value_or(0.0);
  }
  state.counters["max_stable_warp"] = safe;
}
// The report runs its steps on threads: the CPU time is the process's.
BENCHMARK(BM_DropReport)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

void BM_DropReportOnSlope(benchmark::State& state) {
  const physics::DroppedVessel vessel = Glider();
  const physics::ContactPoints set = GliderSet();
  physics::DropOptions options;
  options.gravity = 1.6231;
  options.slope = {5, 0, 2};
  double creep = 0.0;
  for (auto _ : state) {
    report::DroppedSet before =
        report::DropSet("before", vessel, vessel.own_points, options, false);
    report::DroppedSet after =
        report::DropSet("after", vessel, set, options, true);
    report::AnswerSlopes(before, after);
    std::ostringstream out;
    report::PrintDropText(before, after, out);
    report::PrintSlopeText(before, after, out);
    benchmark::DoNotOptimize(out);
    creep = after.slope->creep.along_mm_s;
  }
  state.counters["creep_mm_s"] = creep;
}
BENCHMARK(BM_DropReportOnSlope)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

void BM_DropReportBeforeSweep(benchmark::State& state) {
  const physics::DroppedVessel vessel = Glider();
  const physics::ContactPoints set = GliderSet();
  double found = 0.0;
  for (auto _ : state) {
    for (const physics::ContactPoints* points : {&vessel.own_points, &set}) {
      physics::DropSetup setup = physics::MakeDropSetup(vessel, *points, {});
      benchmark::DoNotOptimize(physics::RunDrop(setup));
      setup.start = physics::DropStart::kLanded;
      found = LegacySearchStableWarp(setup).value_or(0.0);
      benchmark::DoNotOptimize(
          physics::LinearStableWarp(*points, vessel.body, setup.fps));
    }
  }
  state.counters["max_stable_warp"] = found;
}
BENCHMARK(BM_DropReportBeforeSweep)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

}  // namespace
