#ifndef VANTREL_ANALYSIS_PHYSICS_POINTS_H_
#define VANTREL_ANALYSIS_PHYSICS_POINTS_H_

#include <string>
#include <vector>

#include "orbiter_api.h"
#include "physics/contact_point.h"

namespace analysis {

// The host's records in the ground-contact model's terms.
inline physics::Vec3 ToVec3(const VECTOR3& v) { return {v.x, v.y, v.z}; }
physics::ContactPoints ToContactPoints(const std::vector<TOUCHDOWNVTX>& points);

// Why three primary points that make no ground plane make none, in words:
// "point 2 holds a position that is not a finite number", "points 1 and 2
// coincide" or "they lie in a line".
std::string WhyNoGroundPlane(const VECTOR3& p1, const VECTOR3& p2,
                             const VECTOR3& p3);

}  // namespace analysis

#endif  // VANTREL_ANALYSIS_PHYSICS_POINTS_H_
