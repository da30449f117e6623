#include "vessel/default_touchdown_points.h"

namespace vessel {

std::vector<TOUCHDOWNVTX> DefaultTouchdownPoints() {
  const double positions[3][3] = {{0, -2, 10}, {-3, -2, -5}, {3, -2, -5}};
  std::vector<TOUCHDOWNVTX> points;
  for (const auto& p : positions) {
    TOUCHDOWNVTX v;
    v.pos.x = p[0];
    v.pos.y = p[1];
    v.pos.z = p[2];
    v.stiffness = 1e6;
    v.damping = 1e5;
    v.mu = 0.5;
    v.mu_lng = 0.1;
    points.push_back(v);
  }
  return points;
}

}  // namespace vessel
