#ifndef VANTREL_PHYSICS_RKF78_H_
#define VANTREL_PHYSICS_RKF78_H_

#include <array>

#include "physics/rigid_body.h"

namespace physics {

// The 13-stage Runge-Kutta-Fehlberg 7(8) pair (Fehlberg 1968): its nodes,
// its coefficients (row i holds a_ij for j < i) and the weights of its
// eighth-order solution, which the host uses.
constexpr int kStages = 13;
struct Rkf78Tableau {
  std::array<double, kStages> c;
  std::array<std::array<double, kStages>, kStages> a;
  std::array<double, kStages> b;
};
const Rkf78Tableau& Rkf78();

// One sub-step of length h as the host takes it: the motion evaluated at
// every stage; stage states advance the position with the stage
// velocities, the velocity with the stage accelerations, the body rate with
// the stage angular accelerations, and the attitude by turning it through
// each earlier stage's body rate times a_ij h in turn; the end of the step
// the same with the weights.
BodyState Rkf78Step(const Motion& motion, const BodyState& state, double h);

}  // namespace physics

#endif  // VANTREL_PHYSICS_RKF78_H_
