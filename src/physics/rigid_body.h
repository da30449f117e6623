#ifndef VANTREL_PHYSICS_RIGID_BODY_H_
#define VANTREL_PHYSICS_RIGID_BODY_H_

#include "physics/contact_forces.h"
#include "physics/contact_point.h"
#include "physics/inclined_ground.h"
#include "physics/rotation.h"
#include "physics/standard_gravity.h"
#include "physics/vector3.h"

namespace physics {

// A vessel near the ground. The ground frame has its origin on the ground
// and y up (see InclinedGround); the vessel frame its origin at the CoG.
struct BodyState {
  Vec3 position;  // of the CoG, ground frame (m); y is its height
  Vec3 velocity;  // of the CoG, ground frame (m/s)
  Rotation attitude;
  Vec3 rate;  // body rate, vessel frame (rad/s)
};

// What moves the vessel: its points, its numbers, gravity, the ground, and
// whether the ground is felt at all (the host integrates a frame without
// contact when no point touched at its start).
struct Motion {
  const ContactPoints* points = nullptr;
  Body body;
  double gravity = kStandardGravity;  // m/s^2, pointing down
  InclinedGround ground;
  bool contact = true;
};

// The rates of change of a state.
struct Acceleration {
  Vec3 linear;   // ground frame (m/s^2)
  Vec3 angular;  // vessel frame (rad/s^2)
};

// The host's angular acceleration from a torque per unit mass `tau` and the
// body rate `w`, with the moments of inertia per unit mass `inertia`.
Vec3 EulerInv(const Vec3& tau, const Vec3& w, const Vec3& inertia);

// The host's largest turn that a torque may cause within one sub-step
// (rad): 10 degrees.
constexpr double kMaxTurnPerStep = 10.0 * 3.14159265358979323846 / 180.0;

// The accelerations of `state` under gravity and, when `motion.contact`,
// the ground contact for a sub-step `step`, with the host's torque limit.
Acceleration Accelerate(const Motion& motion, const BodyState& state,
                        double step);

// The ground's up direction in the vessel frame.
inline Vec3 GroundUp(const BodyState& state) {
  return ToVessel(state.attitude, {0, 1, 0});
}

// Where the vessel in `state` is relative to `ground`, for a sub-step
// `step`.
ContactInput ContactInputOf(const InclinedGround& ground,
                            const BodyState& state, double step);

}  // namespace physics

#endif  // VANTREL_PHYSICS_RIGID_BODY_H_
