#ifndef VANTREL_PHYSICS_JUDGED_DROP_H_
#define VANTREL_PHYSICS_JUDGED_DROP_H_

#include "physics/drop_setup.h"
#include "physics/drop_test.h"
#include "physics/resting_load.h"
#include "physics/verdict.h"
#include "physics/warp_steps.h"

namespace physics {

// One set of points dropped and judged as every command judges a set: the
// drop, the time accelerations a player can select, the host's placement
// of a landed vessel on points 1-3, and the verdict on all of it. `drop`,
// `show`, `survey` and `init` all take their verdict from here, so that
// they agree.
struct JudgedDrop {
  DropSetup setup;
  DropResult result;
  // Put down as the host lands a vessel and, when the set is handed over,
  // with the hand-over too, at each step a player can select.
  WarpSweep sweep;
  bool hand_over = false;
  double linear_warp = 0.0;  // the linear-stability estimate
  // The host's placement of a landed vessel on points 1-3.
  RestingLoad placement;
  Judgement judgement;
};

// Drops `points` on `vessel` as `options` say, sweeps the time
// accelerations (with the hand-over of the set to the vessel landed on its
// own points when `hand_over`) on up to `threads` threads, and judges the
// set.
JudgedDrop DropAndJudge(const DroppedVessel& vessel,
                        const ContactPoints& points, const DropOptions& options,
                        bool hand_over, unsigned threads);

// `set` dropped and judged again, alike but for the vessel's mass: `mass`
// kg, as a vessel's mass changes with its tanks while the points it was
// handed keep their springs.
JudgedDrop JudgeAtMass(const JudgedDrop& set, double mass, unsigned threads);

}  // namespace physics

#endif  // VANTREL_PHYSICS_JUDGED_DROP_H_
