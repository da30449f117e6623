#include "rigid_body.h"

#include "contact_forces.h"

namespace physics {

Vec3 EulerInv(const Vec3& tau, const Vec3& w, const Vec3& inertia) {
  return {(tau.x - (inertia.y - inertia.z) * w.y * w.z) / inertia.x,
          (tau.y - (inertia.z - inertia.x) * w.z * w.x) / inertia.y,
          (tau.z - (inertia.x - inertia.y) * w.x * w.y) / inertia.z};
}

Acceleration Accelerate(const Motion& motion, const BodyState& state,
                        double step) {
  Acceleration a;
  a.linear = {0, -motion.gravity, 0};
  a.angular = EulerInv({}, state.rate, motion.body.inertia);
  if (!motion.contact) return a;
  ContactInput in;
  in.up = GroundUp(state);
  in.cog_height = state.position.y;
  in.velocity = ToVessel(state.attitude, state.velocity);
  in.rate = state.rate;
  in.step = step;
  const ContactLoad load = ComputeContact(*motion.points, motion.body, in);
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
