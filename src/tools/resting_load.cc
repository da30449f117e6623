#include "resting_load.h"

#include <cmath>

#include "definition_rules.h"

namespace tools {

RestingLoad ComputeRestingLoad(const std::vector<TOUCHDOWNVTX>& points,
                               double mass) {
  RestingLoad load;
  const double weight = mass * rules::kGravity;
  const VECTOR3& a = points[0].pos;
  const VECTOR3& b = points[1].pos;
  const VECTOR3& c = points[2].pos;
  // Cramer's rule on [1 1 1; xa xb xc; za zb zc] F = [W 0 0]. The
  // determinant is twice the signed area of the triangle seen from above.
  const double determinant = (b.x * c.z - c.x * b.z) - (a.x * c.z - c.x * a.z) +
                             (a.x * b.z - b.x * a.z);
  const double span = std::fabs(b.x - a.x) + std::fabs(b.z - a.z) +
                      std::fabs(c.x - a.x) + std::fabs(c.z - a.z);
  if (!(std::fabs(determinant) > 1e-9 * span * span)) return load;
  const double forces[3] = {weight * (b.x * c.z - c.x * b.z) / determinant,
                            weight * (c.x * a.z - a.x * c.z) / determinant,
                            weight * (a.x * b.z - b.x * a.z) / determinant};
  load.outcome = RestingLoad::Outcome::kStands;
  double height_sum = 0.0;
  for (std::size_t i = 0; i < 3; ++i) {
    ContactLoad& contact = load.contacts[i];
    const TOUCHDOWNVTX& point = points[i];
    contact.force = forces[i];
    if (contact.force < 0.0) load.outcome = RestingLoad::Outcome::kTips;
    contact.compression = contact.force / point.stiffness;
    contact.origin_height = -point.pos.y - contact.compression;
    contact.damping_ratio =
        point.damping /
        (2.0 * std::sqrt(point.stiffness * contact.force / rules::kGravity));
    height_sum += contact.origin_height;
  }
  load.origin_height = height_sum / 3.0;
  return load;
}

}  // namespace tools
