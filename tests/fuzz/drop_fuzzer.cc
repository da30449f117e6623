// Random sets of points and vessel numbers through the drop test, on flat
// ground or a slope: every run ends within the frames its time allows, and
// every number of the report is finite unless the verdict is "unstable".
// The slope that tips the set over lies between 0 and 90 degrees.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "physics/drop_test.h"
#include "physics/stability.h"
#include "slope/tip_over.h"

namespace {

double Real(FuzzedDataProvider& data, double low, double high) {
  switch (data.ConsumeIntegralInRange<int>(0, 15)) {
    case 0:
      return std::numeric_limits<double>::quiet_NaN();
    case 1:
      return std::numeric_limits<double>::infinity();
    case 2:
      return 0.0;
    default:
      return data.ConsumeFloatingPointInRange(low, high);
  }
}

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  FuzzedDataProvider data(bytes, size);
  physics::DropSetup setup;
  const int count = data.ConsumeIntegralInRange(3, 12);
  for (int i = 0; i < count; ++i) {
    physics::ContactPoint p;
    p.pos = {Real(data, -20, 20), Real(data, -20, 20), Real(data, -20, 20)};
    p.stiffness = Real(data, 0, 1e8);
    p.damping = Real(data, 0, 1e7);
    p.mu = Real(data, 0, 5);
    p.mu_lng = Real(data, 0, 5);
    setup.points.push_back(p);
  }
  setup.own_points = setup.points;
  setup.body.mass = data.ConsumeFloatingPointInRange(0.1, 1e7);
  setup.body.inertia = {data.ConsumeFloatingPointInRange(0.01, 1e4),
                        data.ConsumeFloatingPointInRange(0.01, 1e4),
                        data.ConsumeFloatingPointInRange(0.01, 1e4)};
  setup.body.size = data.ConsumeFloatingPointInRange(0.1, 300.0);
  setup.gravity = data.ConsumeFloatingPointInRange(0.01, 100.0);
  setup.fps = data.ConsumeFloatingPointInRange(1.0, 1000.0);
  setup.warp = data.ConsumeFloatingPointInRange(0.1, 1e5);
  setup.height = data.ConsumeFloatingPointInRange(-1.0, 100.0);
  // At most about 3000 frames, so that one run stays short.
  setup.seconds = data.ConsumeFloatingPointInRange(0.01, 20.0);
  setup.seconds = std::min(
      setup.seconds, 3000.0 * std::min(0.01, 1.0 / setup.fps) * setup.warp);
  setup.start =
      static_cast<physics::DropStart>(data.ConsumeIntegralInRange<int>(0, 2));
  setup.slope.angle_deg = Real(data, -89.0, 89.0);
  setup.slope.downhill_deg = Real(data, -720.0, 720.0);
  setup.slope.kappa = Real(data, 0.0, 10.0);
  setup.freeze = data.ConsumeBool();

  const physics::DropResult r = physics::RunDrop(setup);
  // Frames: the first three of 10 ms, then at most 0.1 s each (real time).
  const double shortest = std::min(0.01, 1.0 / setup.fps) * setup.warp;
  Check(r.frames <= static_cast<long>(setup.seconds / shortest) + 4);
  if (r.verdict != physics::Verdict::kUnstable) {
    Check(std::isfinite(r.rest_sample.cog_height));
    Check(std::isfinite(r.rest_sample.pitch_deg));
    Check(std::isfinite(r.rest_sample.roll_deg));
    Check(std::isfinite(r.max_depth));
    Check(!r.landed_at || std::isfinite(*r.landed_at));
    for (const physics::PointRest& p : r.points) {
      Check(std::isfinite(p.depth) && std::isfinite(p.load_share));
    }
  }
  Check(r.points.size() == setup.points.size());
  const double warp =
      physics::LinearStableWarp(setup.points, setup.body, setup.fps);
  Check(!(warp < 0.0));

  const slope::TipOver tip =
      slope::TipOverSlope(setup.points, setup.slope.downhill_deg);
  if (tip.stands) {
    Check(tip.feet >= 3);
    Check(tip.worst_slope_deg >= 0.0 && tip.worst_slope_deg <= 90.0);
    // The downhill direction may be no number; then no edge bounds it.
    Check(!(tip.slope_deg < tip.worst_slope_deg - 1e-9) &&
          !(tip.slope_deg > 90.0));
  }
  return 0;
}
