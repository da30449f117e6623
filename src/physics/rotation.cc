#include "physics/rotation.h"

#include <algorithm>
#include <cmath>

#include "physics/portable_math.h"

namespace physics {

Rotation Turn(const Rotation& r, const Vec3& angle) {
  // The vessel's axes, turned in the vessel frame, then taken to the
  // ground.
  const double a2 = Dot(angle, angle);
  if (a2 < 0x1p-54) {
    // Below 2^-27 rad the cosine rounds to 1 and the sine to the angle:
    // p turns into p + p x angle. A vessel at rest turns by less.
    const Vec3 ex{1.0, -angle.z, angle.y};
    const Vec3 ey{angle.z, 1.0, -angle.x};
    const Vec3 ez{-angle.y, angle.x, 1.0};
    return {ToGround(r, ex), ToGround(r, ey), ToGround(r, ez)};
  }
  // Rodrigues' formula in left-handed components: with k the unit axis,
  // p turns into p cos a + (p x k) sin a + k (k . p)(1 - cos a).
  const double a = std::sqrt(a2);
  const Vec3 k = (1.0 / a) * angle;
  const double c = Cos(a);
  const double s = Sin(a);
  const double t = 1.0 - c;
  const Vec3 ex{c + t * k.x * k.x, t * k.x * k.y - s * k.z,
                t * k.x * k.z + s * k.y};
  const Vec3 ey{t * k.x * k.y + s * k.z, c + t * k.y * k.y,
                t * k.y * k.z - s * k.x};
  const Vec3 ez{t * k.x * k.z - s * k.y, t * k.y * k.z + s * k.x,
                c + t * k.z * k.z};
  return {ToGround(r, ex), ToGround(r, ey), ToGround(r, ez)};
}

Rotation Orthonormal(const Rotation& r) {
  Rotation o;
  o.y = (1.0 / Length(r.y)) * r.y;
  o.z = r.z - Dot(r.z, o.y) * o.y;
  o.z = (1.0 / Length(o.z)) * o.z;
  // Left-handed: x = y x z in components.
  o.x = Cross(o.y, o.z);
  return o;
}

double AngleBetween(const Rotation& a, const Rotation& b) {
  const double trace = Dot(a.x, b.x) + Dot(a.y, b.y) + Dot(a.z, b.z);
  return Acos(std::clamp((trace - 1.0) / 2.0, -1.0, 1.0));
}

Rotation Levelling(const Vec3& up) {
  const Vec3 target{0, 1, 0};
  const double c = Dot(up, target);
  if (c < -1.0 + 1e-12) return Turn(Rotation{}, {0, 0, Acos(-1.0)});
  // The axis k with up turning into the target: up x k points along the
  // target, so k is along target x up in these components.
  const Vec3 k = Cross(target, up);
  const double s = Length(k);
  if (!(s > 0.0)) return Rotation{};
  const double angle = Atan2(s, c);
  // Turn takes vessel-frame vectors; here the ground frame equals the vessel
  // frame at the start, so the turn of the identity gives the attitude.
  return Turn(Rotation{}, (angle / s) * k);
}

}  // namespace physics
