#ifndef VANTREL_TOOLS_DROP_REPORT_H_
#define VANTREL_TOOLS_DROP_REPORT_H_

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "body_catalog.h"
#include "drop_setup.h"
#include "drop_test.h"
#include "resting_load.h"
#include "slope_answer.h"
#include "verdict.h"
#include "warp_steps.h"

namespace tools {

// One set of points dropped: what the drop test found, the time
// accelerations a player can select, and the verdict on all of it.
struct DroppedSet {
  std::string label;  // "before (the vessel's own points)"
  physics::DropSetup setup;
  physics::DropResult result;
  // Put down as the host lands a vessel and, when the set is handed over,
  // with the hand-over too, at each step a player can select.
  physics::WarpSweep sweep;
  bool hand_over = false;
  double linear_warp = 0.0;  // the linear-stability estimate
  // The host's placement of a landed vessel on points 1-3.
  physics::RestingLoad placement;
  physics::Judgement judgement;
  // How it fares on its slope, when asked (AnswerSlopes).
  std::optional<slope::SlopeAnswer> slope;
};

// Drops `points` on `vessel` as `options` say, sweeps the time
// accelerations (with the hand-over of the set to the vessel landed on its
// own points when `hand_over`), and judges the set.
DroppedSet DropSet(std::string label, const physics::DroppedVessel& vessel,
                   const physics::ContactPoints& points,
                   const physics::DropOptions& options, bool hand_over);

// Answers how each of the two sets fares on its setup's slope, the two
// side by side on threads.
void AnswerSlopes(DroppedSet& before, DroppedSet& after);

// The table of `vantrel drop`: the sets side by side, why each verdict is
// not `lands`, the time accelerations, then each point of the sets at rest.
void PrintDropText(const DroppedSet& before, const DroppedSet& after,
                   std::ostream& out);

// The definition's drop on `body` as JSON: verdict, faults, landed_at_s,
// rest, points, bounces, max_depth_m, fps, the body and its gravity, when
// the set was answered on a slope the slope and that answer,
// max_stable_warp, its h, the steps and the linear estimate.
void PrintDropJson(const DroppedSet& after, const vessel::VesselBody& body,
                   std::ostream& out);

// The one line a verdict makes: "lands (LANDED at 4.30 s); safe time
// acceleration at 60 fps: up to x250, x300: unstable (linear estimate
// x187)".
std::string VerdictLine(const DroppedSet& set);

// Why the set does not land: one sentence for each fault of its verdict,
// most serious first ("sinks: point 3 rests 1.0312 m deep, at the host's
// 1 m depth cap"); none when it lands.
std::vector<std::string> VerdictReasons(const DroppedSet& set);

}  // namespace tools

#endif  // VANTREL_TOOLS_DROP_REPORT_H_
