#include "physics/landed_detector.h"

namespace physics {

bool SurfaceContact(const ContactPoints& points, const Body& body,
                    const GroundView& view) {
  if (view.cog_height > 2.0 * body.size) return false;
  for (const ContactPoint& p : points) {
    if (-(view.cog_height + Dot(p.pos, view.vertical)) > 0.0) return true;
  }
  return false;
}

bool LandedDetector::Sample(double frame_start, const BodyState& state,
                            bool contact) {
  if (!contact) {
    running_ = false;
    return false;
  }
  if (!running_) {
    running_ = true;
    start_ = frame_start;
    position_ = state.position;
    attitude_ = state.attitude;
    return false;
  }
  const double since = frame_start - start_;
  if (since < 0.1) return false;
  const Vec3 moved = state.position - position_;
  const double dr2 = Dot(moved, moved);
  const double da = AngleBetween(attitude_, state.attitude);
  position_ = state.position;
  attitude_ = state.attitude;
  if (dr2 / since > 1e-4 || da / since > 1e-4) {
    start_ = frame_start;
    return false;
  }
  return since > 5.0;
}

}  // namespace physics
