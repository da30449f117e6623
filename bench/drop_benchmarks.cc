// The drop test: the host's ground contact on 100 points for 30 s at 60 fps,
// per vertex and stage against a bare loop computing the same forces.
#include <benchmark/benchmark.h>

#include <cmath>
#include <utility>

#include "physics/drop_test.h"

namespace {

constexpr int kPoints = 100;

// A ring of 100 points under a 10 t vessel, which lands on all of them; the
// first three (nose, left, right) a third of the ring apart. Without damping
// it rocks on them for the whole time and never becomes LANDED.
physics::DropSetup RingSetup(double damping = 1.5e4) {
  physics::DropSetup setup;
  for (int i = 0; i < kPoints; ++i) {
    const double angle = 2.0 * 3.14159265358979 * i / kPoints;
    setup.points.push_back(
        {{3.0 * std::sin(angle), -2.0, 3.0 * std::cos(angle)},
         1e5,
         damping,
         0.5,
         0.5});
  }
  std::swap(setup.points[1], setup.points[67]);
  std::swap(setup.points[2], setup.points[33]);
  setup.body.mass = 1e4;
  setup.body.inertia = {4, 5, 4};
  setup.body.size = 4;
  return setup;
}

void BM_Drop100Points30s(benchmark::State& state) {
  const physics::DropSetup setup = RingSetup(0.0);
  physics::DropResult result;
  for (auto _ : state) {
    result = physics::RunDrop(setup);
    benchmark::DoNotOptimize(result);
  }
  state.counters["vertex_stages"] =
      static_cast<double>(result.evaluations) * kPoints;
  state.counters["frames"] = static_cast<double>(result.frames);
  state.SetLabel(physics::VerdictName(result.verdict));
}
BENCHMARK(BM_Drop100Points30s)->Unit(benchmark::kMillisecond)->UseRealTime();

// The forces of the contact model for the same 100 points in one loop,
// without the scheme around it: normal force, friction along two fixed
// axes, and their torque. One iteration is one evaluation of all points.
void BM_BareForceLoop(benchmark::State& state) {
  const physics::DropSetup setup = RingSetup();
  physics::Vec3 up{0.001, 1.0, 0.002};
  physics::Vec3 velocity{0.01, -0.02, 0.03};
  physics::Vec3 rate{0.001, 0.002, -0.001};
  const physics::Vec3 lng{0, 0, 1};
  const physics::Vec3 lat = physics::Cross(up, lng);
  double height = 2.0 - 0.01;
  for (auto _ : state) {
    physics::Vec3 force;
    physics::Vec3 torque;
    for (const physics::ContactPoint& p : setup.points) {
      const double depth = -(height + physics::Dot(p.pos, up));
      if (!(depth > 0.0)) continue;
      const physics::Vec3 v = velocity + physics::Cross(p.pos, rate);
      const double normal =
          p.stiffness * depth - p.damping * physics::Dot(v, up);
      const double load = p.stiffness * std::min(depth, 0.1);
      const double vl = physics::Dot(v, lng);
      const double vt = physics::Dot(v, lat);
      const double fl = -(vl > 0 ? 1 : -1) * p.mu_lng * load *
                        std::sqrt(std::fabs(vl) / 10.0);
      const double ft =
          -(vt > 0 ? 1 : -1) * p.mu * load * std::sqrt(std::fabs(vt) / 10.0);
      const physics::Vec3 f = normal * up + fl * lng + ft * lat;
      force += f;
      torque += physics::Cross(f, p.pos);
    }
    benchmark::DoNotOptimize(force);
    benchmark::DoNotOptimize(torque);
    benchmark::ClobberMemory();
    height += 1e-12;
  }
  state.counters["vertex_stages"] = kPoints;
}
BENCHMARK(BM_BareForceLoop)->UseRealTime();

}  // namespace
