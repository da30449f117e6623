#ifndef VANTREL_PHYSICS_CONTACT_FORCES_H_
#define VANTREL_PHYSICS_CONTACT_FORCES_H_

#include "physics/contact_point.h"
#include "physics/vector3.h"

namespace physics {

// The depth at which the host stops pressing a point further in (m).
constexpr double kDepthCap = 1.0;

// Where the vessel is relative to the ground, in the vessel frame.
struct ContactInput {
  // The normal the forces act along (unit): the ground's up on flat ground,
  // the host's normal under the CoG on a slope.
  Vec3 up;
  // A point p lies cog_height + p . height_axis above the ground, measured
  // vertically at its own place (on flat ground, height_axis is up).
  Vec3 height_axis;
  double cog_height;  // the CoG's height above the ground below it (m)
  Vec3 velocity;      // the CoG's velocity relative to the ground
  Vec3 rate;          // the body rate (rad/s)
  double step;        // the sub-step h (s), for the friction clamp
};

// The force and torque of the ground on the vessel, in the vessel frame.
struct ContactLoad {
  Vec3 force;
  Vec3 torque;
  int touching = 0;  // points in contact
};

// The host's ground contact: the normal force k d - c v_n of every point in
// the ground (unclipped, the depth capped at kDepthCap), the dynamic
// friction of each point along the longitudinal and lateral axes in the
// plane of the normal `up`, clamped per axis so that it cannot reverse the
// CoG's motion within one sub-step, and the torque of these forces acting at
// the uncompressed points. Nothing touches while the CoG is higher than twice
// `body.size`.
ContactLoad ComputeContact(const ContactPoints& points, const Body& body,
                           const ContactInput& in);

// The depth of point `p` below the ground (negative above it), measured
// vertically and uncapped.
inline double DepthOf(const Vec3& p, const ContactInput& in) {
  return -(in.cog_height + Dot(p, in.height_axis));
}

}  // namespace physics

#endif  // VANTREL_PHYSICS_CONTACT_FORCES_H_
