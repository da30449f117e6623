#ifndef VANTREL_ANALYSIS_VERDICT_TEXT_H_
#define VANTREL_ANALYSIS_VERDICT_TEXT_H_

#include <optional>
#include <string>

#include "analysis/definition_reading.h"
#include "orbiter_api.h"
#include "physics/ground_plane.h"
#include "rules/definition_rules.h"

namespace analysis {

// The plug-in's verdicts, and the host's on a set of points, in words: one
// wording of each, which `check` and the commands that print a vessel's
// account share.

// Why the module never opens a key's file: "'CON' names a Windows device
// (...), which can block the simulator". Empty for a key it opens.
std::string RefusalText(const rules::KeyRefusal& refusal);

// Why a file does not count, from the read of its N: "N = 2: a definition
// needs at least 3 points; the module ignores the file and looks further
// (the class, or nothing)". Empty for a file that counts.
std::string CountProblemText(const CountReading& count);

// What keeps a vessel from standing upright on its first three points, as
// the host takes them: they face down, or make no ground plane.
struct StanceProblem {
  physics::Stance stance = physics::Stance::kUpsideDown;
  // "the first three points give a downward normal: the host sets the
  // vessel upside down"
  std::string text;
};
// Nothing when the three points stand the vessel upright.
std::optional<StanceProblem> StanceProblemOf(const VECTOR3& p1,
                                             const VECTOR3& p2,
                                             const VECTOR3& p3);

}  // namespace analysis

#endif  // VANTREL_ANALYSIS_VERDICT_TEXT_H_
