#include "slope/freezing_slope.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace slope {

namespace {

using physics::DropSample;
using physics::Vec3;

// The fastest creep the host's test for rest lets pass (m/s): the test's
// first sample after it starts covers 0.1 s or more, and a move of
// v^2 T > 1e-4 in it starts the test again.
const double kPassingCreep = 0.01 / std::sqrt(0.1);

// The speed along the ground (m/s): in the plane of the host's normal.
double SpeedAlong(const Vec3& velocity, const Vec3& normal) {
  return physics::Length(velocity - physics::Dot(velocity, normal) * normal);
}

// The mean speed along the ground of the frames that end in (from, to].
double MeanSpeed(const std::vector<DropSample>& frames, double from, double to,
                 const Vec3& normal) {
  double sum = 0.0;
  int count = 0;
  for (auto it = frames.rbegin(); it != frames.rend(); ++it) {
    if (it->time <= from) break;
    if (it->time > to) continue;
    sum += SpeedAlong(it->velocity, normal);
    ++count;
  }
  return count > 0 ? sum / count : 0.0;
}

// Whether a vessel that `frames` show on ground whose host normal is
// `normal` can no longer come to rest: through the last second it kept the
// host's test for rest starting again, five times or more, while it moved
// along the ground at one and a half times the fastest creep the test's
// first sample lets pass or more, and no slower than in the half second
// before. The host has no static friction: such a creep only nears its
// steady speed, and the first sample of each new test fails again. (A
// vessel whose first sample passed before its creep built up is another
// matter: later samples cover one frame each and let far more pass, and
// the host freezes it while it creeps on.)
bool CreepsTooFastToRest(const std::vector<DropSample>& frames,
                         const Vec3& normal) {
  if (frames.empty() || frames.back().time < 1.0) return false;
  const double end = frames.back().time;
  int starts = 0;
  double start = -1.0;
  for (auto it = frames.rbegin(); it != frames.rend(); ++it) {
    if (it->time <= end - 1.0) break;
    if (it->rest_test_start < 0.0) return false;
    if (!(SpeedAlong(it->velocity, normal) > 1.5 * kPassingCreep)) {
      return false;
    }
    if (it->rest_test_start != start) {
      ++starts;
      start = it->rest_test_start;
    }
  }
  return starts >= 5 && MeanSpeed(frames, end - 0.5, end, normal) >=
                            MeanSpeed(frames, end - 1.0, end - 0.5, normal);
}

}  // namespace

FreezingSlope SearchFreezingSlope(const physics::DropSetup& setup,
                                  double step_deg) {
  FreezingSlope found;
  // A step that is not a positive number would never end the search.
  found.step_deg = step_deg > 0.0 ? step_deg : 0.01;
  found.fps = setup.fps;
  const auto rests = [&](double angle_deg) {
    physics::DropSetup run = setup;
    run.warp = 1.0;
    run.slope.angle_deg = angle_deg;
    // The search asks no more of a run than whether the vessel comes to
    // rest: one that creeps too fast ever to do so ends there.
    const Vec3 normal = physics::InclinedGround(run.slope).normal();
    run.ends_early = [normal](const physics::DropResult& so_far) {
      return CreepsTooFastToRest(so_far.history, normal);
    };
    ++found.runs;
    return physics::RunDrop(run).landed_at.has_value();
  };
  if (!rests(0.0)) {
    found.fails_deg = 0.0;
    return found;
  }
  double low = 0.0;   // rests
  double high = 1.0;  // does not rest, once checked
  while (rests(high)) {
    low = high;
    if (high >= kSteepestSlopeTried) {
      found.slope_deg = low;
      found.steeper_than_tried = true;
      return found;
    }
    high = std::min(2.0 * high, kSteepestSlopeTried);
  }
  while (high - low > found.step_deg) {
    const double mid = 0.5 * (low + high);
    (rests(mid) ? low : high) = mid;
  }
  found.slope_deg = low;
  found.fails_deg = high;
  return found;
}

}  // namespace slope
