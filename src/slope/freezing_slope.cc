#include "slope/freezing_slope.h"

#include <algorithm>

namespace slope {

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
    ++found.runs;
    return physics::RunDrop(run).landed_at.has_value();
  };
  if (!rests(0.0)) return found;
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
  return found;
}

}  // namespace slope
