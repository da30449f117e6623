#include "physics_points.h"

namespace tools {

physics::ContactPoints ToContactPoints(
    const std::vector<TOUCHDOWNVTX>& points) {
  physics::ContactPoints converted;
  converted.reserve(points.size());
  for (const TOUCHDOWNVTX& v : points) {
    converted.push_back(
        {ToVec3(v.pos), v.stiffness, v.damping, v.mu, v.mu_lng});
  }
  return converted;
}

}  // namespace tools
