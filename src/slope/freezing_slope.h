#ifndef VANTREL_SLOPE_FREEZING_SLOPE_H_
#define VANTREL_SLOPE_FREEZING_SLOPE_H_

#include <optional>

#include "physics/drop_test.h"

namespace slope {

// The steepest slope on which a vessel still comes to rest (LANDED) at x1.
// The host freezes a vessel only when its creep stays below about
// 0.01 / sqrt(T1) m/s for 5 s, T1 the first sample's interval (about
// 0.1 s), so this is where the creep of a steeper slope outruns the test.
struct FreezingSlope {
  // The steepest slope tried on which it comes to rest (degrees); the next
  // `step_deg` steeper does not. Nothing when it does not come to rest
  // even on flat ground.
  std::optional<double> slope_deg;
  // The slope, `step_deg` or less steeper, on which it did not come to
  // rest; nothing when it did on every slope tried. The host's test for
  // rest makes this no sharp edge: a slope steeper still can rest again.
  std::optional<double> fails_deg;
  // It came to rest on every slope tried, up to kSteepestSlopeTried.
  bool steeper_than_tried = false;
  double step_deg = 0.0;  // the search's resolution (0.01 for a bad one)
  double fps = 0.0;       // the frame rate of the runs, at x1
  int runs = 0;           // drops simulated
};

constexpr double kSteepestSlopeTried = 45.0;  // degrees

// Found by simulating the drop of `setup` at x1 (its start, frame rate,
// time, downhill direction and kappa) on slopes from 1 degree up in
// doublings, or down to flat ground, then bisecting until the slope that
// rests and the one that does not lie `step_deg` or less apart. A run ends
// as soon as the vessel creeps too fast ever to come to rest in it, with
// the answer the run of its whole time gives.
FreezingSlope SearchFreezingSlope(const physics::DropSetup& setup,
                                  double step_deg);

}  // namespace slope

#endif  // VANTREL_SLOPE_FREEZING_SLOPE_H_
