#include "rotation.h"

#include <algorithm>
#include <cmath>

#include "portable_math.h"

namespace physics {

Vec3 ToGround(const Rotation& r, const Vec3& v) {
  return v.x * r.x + v.y * r.y + v.z * r.z;
}

Vec3 ToVessel(const Rotation& r, const Vec3& v) {
  return {Dot(r.x, v), Dot(r.y, v), Dot(r.z, v)};
}

namespace {

// Rodrigues' formula in left-handed components: with k the unit axis,
// p turns into p cos a + (p x k) sin a + k (k . p)(1 - cos a).
Vec3 TurnVector(const Vec3& p, const Vec3& axis, double c, double s) {
  return c * p + s * Cross(p, axis) + ((1.0 - c) * Dot(axis, p)) * axis;
}

}  // namespace

Rotation Turn(const Rotation& r, const Vec3& angle) {
  const double a = Length(angle);
  if (!(a > 0.0)) return r;
  const Vec3 axis = (1.0 / a) * angle;
  const double c = Cos(a);
  const double s = Sin(a);
  // The vessel's axes, turned in the vessel frame, then taken to the ground.
  const Vec3 ex = TurnVector({1, 0, 0}, axis, c, s);
  const Vec3 ey = TurnVector({0, 1, 0}, axis, c, s);
  const Vec3 ez = TurnVector({0, 0, 1}, axis, c, s);
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
