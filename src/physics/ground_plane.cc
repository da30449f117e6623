#include "physics/ground_plane.h"

namespace physics {

Vec3 GroundNormal(const Vec3& p0, const Vec3& p1, const Vec3& p2) {
  return Cross(p0 - 0.5 * (p1 + p2), p2 - p1);
}

Stance StanceOf(const Vec3& normal) {
  // A NaN length fails this test, and the host would not use the plane.
  if (!(Length(normal) > 1e-12)) return Stance::kNoPlane;
  return normal.y > 0.0 ? Stance::kUpright : Stance::kUpsideDown;
}

}  // namespace physics
