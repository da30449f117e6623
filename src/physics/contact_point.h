#ifndef VANTREL_PHYSICS_CONTACT_POINT_H_
#define VANTREL_PHYSICS_CONTACT_POINT_H_

#include <vector>

#include "physics/vector3.h"

namespace physics {

// A touchdown point as the host keeps it: a position in the vessel frame
// (m), a stiffness (N/m), a damping (N s/m), a lateral and a longitudinal
// friction coefficient.
struct ContactPoint {
  Vec3 pos;
  double stiffness = 0.0;
  double damping = 0.0;
  double mu = 0.0;
  double mu_lng = 0.0;
};

using ContactPoints = std::vector<ContactPoint>;

// The numbers of a vessel that the ground contact uses.
struct Body {
  double mass = 0.0;      // kg
  Vec3 inertia{1, 1, 1};  // principal moments of inertia / mass (m^2)
  double size = 10.0;     // mean radius (m)
};

}  // namespace physics

#endif  // VANTREL_PHYSICS_CONTACT_POINT_H_
