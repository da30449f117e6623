#ifndef VANTREL_PHYSICS_STANDARD_GRAVITY_H_
#define VANTREL_PHYSICS_STANDARD_GRAVITY_H_

namespace physics {

// The surface gravity the model of the host's ground contact works with
// unless told otherwise, m/s^2. It is physics alone: the module completes
// springs with a gravity of its own (rules::kGravity), which a change here
// must not change.
constexpr double kStandardGravity = 9.81;

}  // namespace physics

#endif  // VANTREL_PHYSICS_STANDARD_GRAVITY_H_
