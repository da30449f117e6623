#include "physics/rigid_body.h"

namespace physics {

Vec3 EulerInv(const Vec3& tau, const Vec3& w, const Vec3& inertia) {
  return {(tau.x - (inertia.y - inertia.z) * w.y * w.z) / inertia.x,
          (tau.y - (inertia.z - inertia.x) * w.z * w.x) / inertia.y,
          (tau.z - (inertia.x - inertia.y) * w.x * w.y) / inertia.z};
}

ContactInput ContactInputOf(const InclinedGround& ground,
                            const BodyState& state, double step) {
  const GroundView view = ground.ViewFrom(state.position, state.attitude);
  ContactInput in;
  in.up = view.normal;
  in.height_axis = view.height_axis;
  in.cog_height = view.cog_height;
  in.velocity = ToVessel(state.attitude, state.velocity);
  in.rate = state.rate;
  in.step = step;
  return in;
}

Acceleration Accelerate(const Motion& motion, const BodyState& state,
                        double step) {
  Acceleration a;
  a.linear = {0, -motion.gravity, 0};
  a.angular = EulerInv({}, state.rate, motion.body.inertia);
  if (!motion.contact) return a;
  const ContactLoad load = ComputeContact(
      *motion.points, motion.body, ContactInputOf(motion.ground, state, step));
  if (load.touching == 0) return a;
  const double m = motion.body.mass;
  a.linear += (1.0 / m) * ToGround(state.attitude, load.force);
  Vec3 tau = (1.0 / m) * load.torque;
  a.angular = EulerInv(tau, state.rate, motion.body.inertia);
  const double turn = Length(a.angular) * step * step;
  if (turn > kMaxTurnPerStep) {
    tau = (kMaxTurnPerStep / turn) * tau;
    a.angular = EulerInv(tau, state.rate, motion.body.inertia);
  }
  return a;
}

}  // namespace physics
