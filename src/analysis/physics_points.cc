#include "analysis/physics_points.h"

#include <cmath>
#include <utility>

namespace analysis {

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

std::string WhyNoGroundPlane(const VECTOR3& p1, const VECTOR3& p2,
                             const VECTOR3& p3) {
  const VECTOR3* const p[] = {&p1, &p2, &p3};
  for (int i = 0; i < 3; ++i) {
    const VECTOR3& v = *p[i];
    if (!std::isfinite(v.x) || !std::isfinite(v.y) || !std::isfinite(v.z)) {
      return "point " + std::to_string(i + 1) +
             " holds a position that is not a finite number";
    }
  }
  const std::pair<int, int> pairs[] = {{0, 1}, {0, 2}, {1, 2}};
  for (const auto& [a, b] : pairs) {
    const VECTOR3& u = *p[a];
    const VECTOR3& v = *p[b];
    if (u.x == v.x && u.y == v.y && u.z == v.z) {
      return "points " + std::to_string(a + 1) + " and " +
             std::to_string(b + 1) + " coincide";
    }
  }
  return "they lie in a line";
}

}  // namespace analysis
