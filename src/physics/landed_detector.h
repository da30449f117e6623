#ifndef VANTREL_PHYSICS_LANDED_DETECTOR_H_
#define VANTREL_PHYSICS_LANDED_DETECTOR_H_

#include "rigid_body.h"

namespace physics {

// The host's test for a vessel come to rest on the ground. Once a frame,
// while some point touches the ground, and at least 0.1 s after the last
// reset: with dr2 the squared distance the CoG moved since the previous
// sample and da the turn of the attitude since then, dr2 / T > 1e-4 or
// da / T > 1e-4 (T the time since the last reset) resets the timer; once T
// exceeds 5 s without a reset, the vessel is LANDED.
class LandedDetector {
 public:
  // Starts the timer at time `t` with the vessel in `state`.
  void Reset(double t, const BodyState& state);

  // The sample at the end of a frame; true when the vessel is now LANDED.
  bool Sample(double t, const BodyState& state, bool touching);

 private:
  double reset_time_ = 0.0;
  Vec3 position_;
  Rotation attitude_;
};

}  // namespace physics

#endif  // VANTREL_PHYSICS_LANDED_DETECTOR_H_
