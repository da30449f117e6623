#ifndef VANTREL_REPORT_DROP_REPORT_H_
#define VANTREL_REPORT_DROP_REPORT_H_

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "physics/drop_setup.h"
#include "physics/drop_test.h"
#include "physics/judged_drop.h"
#include "physics/resting_load.h"
#include "physics/verdict.h"
#include "physics/warp_steps.h"
#include "slope/slope_answer.h"
#include "vessel/body_catalog.h"
#include "vessel/vessel_model.h"

namespace report {

// One set of points dropped and judged (physics::DropAndJudge), with the
// label a report gives it.
struct DroppedSet : physics::JudgedDrop {
  std::string label;  // "before (the vessel's own points)"
  // How it fares on its slope, when asked (AnswerSlopes).
  std::optional<slope::SlopeAnswer> slope;
};

// Drops `points` on `vessel` as `options` say, sweeps the time
// accelerations (with the hand-over of the set to the vessel landed on its
// own points when `hand_over`) on every core, and judges the set.
DroppedSet DropSet(std::string label, const physics::DroppedVessel& vessel,
                   const physics::ContactPoints& points,
                   const physics::DropOptions& options, bool hand_over);

// For a class with tanks: the set judged again with every tank full, when
// the set was judged at a lighter mass (`model` says the masses); none
// otherwise.
std::optional<DroppedSet> FullTanksSet(const DroppedSet& set,
                                       const vessel::VesselModel& model);

// The verdict with full tanks and why, as lines: "with full tanks (2550
// kg): lands (LANDED at 5.60 s); safe time acceleration ...", then a line
// for each fault.
std::vector<std::string> FullTanksLines(const DroppedSet& full);

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
// max_stable_warp, its h, the steps, the linear estimate, and full_tanks:
// the verdict with full tanks (`full`), or null for a class without tanks.
void PrintDropJson(const DroppedSet& after,
                   const std::optional<DroppedSet>& full,
                   const vessel::VesselBody& body, std::ostream& out);

// The one line a verdict makes: "lands (LANDED at 4.30 s); safe time
// acceleration at 60 fps: up to x200; x300: unstable, put down landed
// (linear estimate x187)".
std::string VerdictLine(const DroppedSet& set);

// Why the set does not land: one sentence for each fault of its verdict,
// most serious first ("sinks: point 3 rests 1.0312 m deep, at the host's
// 1 m depth cap"); none when it lands.
std::vector<std::string> VerdictReasons(const DroppedSet& set);

}  // namespace report

#endif  // VANTREL_REPORT_DROP_REPORT_H_
