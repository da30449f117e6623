#ifndef VANTREL_PHYSICS_WARP_STEPS_H_
#define VANTREL_PHYSICS_WARP_STEPS_H_

#include <optional>
#include <vector>

#include "physics/drop_setup.h"
#include "physics/drop_test.h"
#include "physics/verdict.h"

namespace physics {

// The time accelerations a player can select, ascending: the powers of ten
// from 0.1 to 100000 that the T and R keys step through, and the positions
// of the time acceleration dialog's slider: 0.1-1 by 0.1, 2-10 by 1,
// 20-100 by 10, 200-1000 by 100.
const std::vector<double>& PlayerWarps();

// What a set does at one time acceleration, from each start.
struct WarpStep {
  double warp = 1.0;
  // Started where the host puts a landed vessel down on the set.
  Verdict landed = Verdict::kLands;
  // Started LANDED on the vessel's own points, woken by the hand-over of
  // the set; none when the set is not handed over, or when the first start
  // already failed.
  std::optional<Verdict> handed_over;

  // The first start's verdict that is not kLands, or kLands.
  Verdict Outcome() const;
  bool Lands() const { return Outcome() == Verdict::kLands; }
};

struct WarpSweep {
  // Ascending, up to and with the first step that does not land.
  std::vector<WarpStep> steps;
  // The highest step at or below which every step lands; none when the
  // lowest does not.
  std::optional<double> safe_warp;

  // The first step that does not land; null when every step lands.
  const WarpStep* Failure() const;
};

// Runs the drop of `points` on `vessel` at every step a player can select,
// ascending, each exactly as `vantrel drop --landed --warp W` (and, with
// `hand_over`, `--switch --warp W`) runs it with `options`, until the first
// step at which a start does not land; the hand-over is not run at a step
// whose landed start failed. A step whose drop is `known` (the drop
// `options` describe, already run) takes its verdict from it. The runs are
// shared out among `threads` threads; the sweep is the same for any number.
WarpSweep SweepWarpSteps(const DroppedVessel& vessel,
                         const ContactPoints& points,
                         const DropOptions& options, bool hand_over,
                         const DropResult* known, unsigned threads);

}  // namespace physics

#endif  // VANTREL_PHYSICS_WARP_STEPS_H_
