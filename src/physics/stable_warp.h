#ifndef VANTREL_PHYSICS_STABLE_WARP_H_
#define VANTREL_PHYSICS_STABLE_WARP_H_

#include <optional>

#include "drop_test.h"

namespace physics {

// The host's range of time acceleration.
constexpr double kMinWarp = 0.1;
constexpr double kMaxWarp = 100000.0;

// The highest time acceleration at the setup's frame rate for which the
// drop test still `lands`, found by simulating: from x1 up in doublings to
// the first warp that does not land (or down in halvings to the first that
// does), then 8 bisections between the last two. Each run lasts the setup's
// time (at most 60 s), and at least 300 frames. Nothing when no warp in the
// host's range lands.
std::optional<double> SearchStableWarp(const DropSetup& setup);

}  // namespace physics

#endif  // VANTREL_PHYSICS_STABLE_WARP_H_
