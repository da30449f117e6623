#include "slope/creep.h"

#include <algorithm>
#include <cmath>

namespace slope {

namespace {

using physics::Vec3;

constexpr double kSecondsPerHour = 3600.0;

// The mean velocity of the frames that end in (from, to].
Vec3 MeanVelocity(const std::vector<physics::DropSample>& history, double from,
                  double to) {
  Vec3 sum;
  int count = 0;
  for (const physics::DropSample& sample : history) {
    if (sample.time <= from || sample.time > to) continue;
    sum += sample.velocity;
    ++count;
  }
  return count > 0 ? (1.0 / count) * sum : sum;
}

}  // namespace

Creep CreepOnSlope(const physics::DropSetup& setup) {
  physics::DropSetup run = setup;
  run.freeze = false;
  const physics::DropResult result = physics::RunDrop(run);
  Creep creep;
  creep.landed_at_s = result.landed_at;
  if (result.verdict == physics::Verdict::kUnstable || result.history.empty()) {
    creep.unstable = true;
    return creep;
  }
  const double end = result.history.back().time;
  creep.seconds = end;

  // The host's friction axes at the end: the longitudinal one along the
  // line from between points 2 and 3 to point 1, both in the plane of the
  // host's normal.
  const Vec3 normal = physics::InclinedGround(setup.slope).normal();
  const physics::ContactPoints& points = setup.points;
  Vec3 forward{0, 0, 1};
  if (points.size() >= 3) {
    forward = points[0].pos - 0.5 * (points[1].pos + points[2].pos);
  }
  const Vec3 d1 = physics::ToGround(result.rest.attitude, forward);
  const Vec3 along =
      physics::UnitOrZero(d1 - physics::Dot(d1, normal) * normal);
  const Vec3 across = physics::Cross(normal, along);

  const auto speed = [&](const Vec3& v) {
    const double a = physics::Dot(v, along);
    const double b = physics::Dot(v, across);
    return std::sqrt(a * a + b * b);
  };
  const Vec3 last = MeanVelocity(result.history, end - 1.0, end);
  const Vec3 before = MeanVelocity(result.history, end - 2.0, end - 1.0);
  creep.along_mm_s = 1000.0 * physics::Dot(last, along);
  creep.across_mm_s = 1000.0 * physics::Dot(last, across);
  const double now = speed(last);
  const double earlier = speed(before);
  creep.settled =
      end >= 2.0 && std::fabs(now - earlier) <= std::max(0.01 * now, 5e-5);
  creep.slides = !creep.settled && now > earlier;
  if (!creep.landed_at_s && creep.settled) {
    creep.drift_per_hour_m = now * kSecondsPerHour;
  }
  return creep;
}

}  // namespace slope
