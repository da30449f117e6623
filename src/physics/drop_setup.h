#ifndef VANTREL_PHYSICS_DROP_SETUP_H_
#define VANTREL_PHYSICS_DROP_SETUP_H_

#include "physics/contact_point.h"
#include "physics/drop_test.h"
#include "physics/standard_gravity.h"

namespace physics {

// How a drop runs, as `vantrel drop` is told on its command line.
struct DropOptions {
  double gravity = kStandardGravity;  // m/s^2
  Slope slope;                        // flat unless told otherwise
  double fps = 60.0;                  // frames per real second
  double warp = 1.0;                  // time acceleration
  double seconds = 30.0;              // simulated time (s)
  double height = 0.5;                // m, for DropStart::kRelease
  DropStart start = DropStart::kRelease;
};

// The vessel a drop moves: its numbers, its own points, and the frame in
// which the plug-in hands a set over to it.
struct DroppedVessel {
  Body body;
  ContactPoints own_points;
  long switch_frame = 0;
};

// The drop of `points` on `vessel` as `options` say. Every drop a command
// runs, and every run of the time-acceleration sweep, is made here, so that
// a sweep's step is the drop `vantrel drop --warp` runs at that step.
DropSetup MakeDropSetup(const DroppedVessel& vessel,
                        const ContactPoints& points,
                        const DropOptions& options);

}  // namespace physics

#endif  // VANTREL_PHYSICS_DROP_SETUP_H_
