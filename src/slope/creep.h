#ifndef VANTREL_SLOPE_CREEP_H_
#define VANTREL_SLOPE_CREEP_H_

#include <optional>

#include "physics/drop_test.h"

namespace slope {

// How a vessel moves on a slope. The host has no static friction: on any
// slope a vessel settles into a steady creep, and the host freezes it
// (LANDED) only when the creep is slow enough.
struct Creep {
  bool unstable = false;  // the run diverged; the other numbers mean nothing
  std::optional<double> landed_at_s;  // when the host freezes it
  // The CoG's speed once settled, as if the host never froze it, along the
  // host's longitudinal friction axis (positive forwards) and across it
  // (positive to the right), both in the plane of the host's normal (mm/s).
  double along_mm_s = 0.0;
  double across_mm_s = 0.0;
  // The speed changed by at most 1 % (or 0.05 mm/s) over the last second.
  bool settled = false;
  // Not settled, and still speeding up at the end: it slides on.
  bool slides = false;
  // How far it moves in an hour when it never comes to rest, at its
  // settled creep (m); nothing when it comes to rest, slides or never
  // settles.
  std::optional<double> drift_per_hour_m;
  double seconds = 0.0;  // the time simulated
};

// One drop of `setup` (on its slope, from its start, for its time), moved
// on past LANDED: when the host freezes the vessel, and the creep at the
// end, averaged over the last second.
Creep CreepOnSlope(const physics::DropSetup& setup);

}  // namespace slope

#endif  // VANTREL_SLOPE_CREEP_H_
