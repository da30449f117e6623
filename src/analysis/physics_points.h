#ifndef VANTREL_TOOLS_PHYSICS_POINTS_H_
#define VANTREL_TOOLS_PHYSICS_POINTS_H_

#include <vector>

#include "contact_point.h"
#include "orbiter_api.h"

namespace tools {

// The host's records in the ground-contact model's terms.
inline physics::Vec3 ToVec3(const VECTOR3& v) { return {v.x, v.y, v.z}; }
physics::ContactPoints ToContactPoints(const std::vector<TOUCHDOWNVTX>& points);

}  // namespace tools

#endif  // VANTREL_TOOLS_PHYSICS_POINTS_H_
