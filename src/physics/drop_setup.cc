#include "physics/drop_setup.h"

namespace physics {

DropSetup MakeDropSetup(const DroppedVessel& vessel,
                        const ContactPoints& points,
                        const DropOptions& options) {
  DropSetup setup;
  setup.points = points;
  setup.own_points = vessel.own_points;
  setup.body = vessel.body;
  setup.switch_frame = vessel.switch_frame;
  setup.gravity = options.gravity;
  setup.slope = options.slope;
  setup.fps = options.fps;
  setup.warp = options.warp;
  setup.seconds = options.seconds;
  setup.height = options.height;
  setup.start = options.start;
  return setup;
}

}  // namespace physics
