#include "landed_detector.h"

namespace physics {

void LandedDetector::Reset(double t, const BodyState& state) {
  reset_time_ = t;
  position_ = state.position;
  attitude_ = state.attitude;
}

bool LandedDetector::Sample(double t, const BodyState& state, bool touching) {
  if (!touching) {
    Reset(t, state);
    return false;
  }
  const double since = t - reset_time_;
  if (since < 0.1) return false;
  const Vec3 moved = state.position - position_;
  const double dr2 = Dot(moved, moved);
  const double da = AngleBetween(attitude_, state.attitude);
  position_ = state.position;
  attitude_ = state.attitude;
  if (dr2 / since > 1e-4 || da / since > 1e-4) {
    reset_time_ = t;
    return false;
  }
  return since > 5.0;
}

}  // namespace physics
