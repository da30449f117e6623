#ifndef VANTREL_PHYSICS_GROUND_PLANE_H_
#define VANTREL_PHYSICS_GROUND_PLANE_H_

#include "physics/vector3.h"

namespace physics {

// How the host sets a vessel on the ground from its three primary points.
enum class Stance {
  kUpright,     // the up normal points along +y
  kUpsideDown,  // the up normal points down (or sideways)
  kNoPlane,     // the points are in a line; the host keeps its old plane
};

// The up normal the host derives from the first three points:
// (p0 - (p1 + p2) / 2) x (p2 - p1).
Vec3 GroundNormal(const Vec3& p0, const Vec3& p1, const Vec3& p2);

// The stance a normal gives: no plane when its length is at most 1e-12.
Stance StanceOf(const Vec3& normal);

}  // namespace physics

#endif  // VANTREL_PHYSICS_GROUND_PLANE_H_
