#ifndef VANTREL_PHYSICS_ROTATION_H_
#define VANTREL_PHYSICS_ROTATION_H_

#include "physics/vector3.h"

namespace physics {

// An attitude: the rotation from the vessel frame to the ground frame, as a
// matrix whose columns are the vessel's axes in the ground frame.
struct Rotation {
  Vec3 x{1, 0, 0};
  Vec3 y{0, 1, 0};
  Vec3 z{0, 0, 1};
};

// A vessel-frame vector in the ground frame, and back.
inline Vec3 ToGround(const Rotation& r, const Vec3& v) {
  return v.x * r.x + v.y * r.y + v.z * r.z;
}
inline Vec3 ToVessel(const Rotation& r, const Vec3& v) {
  return {Dot(r.x, v), Dot(r.y, v), Dot(r.z, v)};
}

// `r` turned through the vessel-frame rotation vector `angle` (the body rate
// times a time), in the host's left-handed convention: a point p of the
// vessel moves by p x angle for a small angle.
Rotation Turn(const Rotation& r, const Vec3& angle);

// `r` with its axes made orthonormal again, after many turns.
Rotation Orthonormal(const Rotation& r);

// The angle of the rotation from `a` to `b` (rad).
double AngleBetween(const Rotation& a, const Rotation& b);

// The attitude that turns the vessel-frame direction `up` (of length 1)
// to the ground's up, by the smallest rotation; half a turn about the
// vessel's z axis when `up` points straight down.
Rotation Levelling(const Vec3& up);

}  // namespace physics

#endif  // VANTREL_PHYSICS_ROTATION_H_
