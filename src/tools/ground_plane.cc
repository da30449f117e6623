#include "ground_plane.h"

#include <cmath>

namespace tools {

VECTOR3 GroundNormal(const VECTOR3& p0, const VECTOR3& p1, const VECTOR3& p2) {
  const double ax = p0.x - (p1.x + p2.x) / 2.0;
  const double ay = p0.y - (p1.y + p2.y) / 2.0;
  const double az = p0.z - (p1.z + p2.z) / 2.0;
  const double bx = p2.x - p1.x;
  const double by = p2.y - p1.y;
  const double bz = p2.z - p1.z;
  VECTOR3 normal;
  normal.x = ay * bz - az * by;
  normal.y = az * bx - ax * bz;
  normal.z = ax * by - ay * bx;
  return normal;
}

Stance StanceOf(const VECTOR3& normal) {
  const double length = std::sqrt(normal.x * normal.x + normal.y * normal.y +
                                  normal.z * normal.z);
  // A NaN length fails this test, and the host would not use the plane.
  if (!(length > 1e-12)) return Stance::kNoPlane;
  return normal.y > 0.0 ? Stance::kUpright : Stance::kUpsideDown;
}

}  // namespace tools
