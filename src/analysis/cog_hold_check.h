#ifndef VANTREL_ANALYSIS_COG_HOLD_CHECK_H_
#define VANTREL_ANALYSIS_COG_HOLD_CHECK_H_

#include <optional>
#include <string_view>
#include <vector>

#include "analysis/diagnostic.h"
#include "physics/vector3.h"

namespace analysis {

// The warning, at `line`, that points 1-3 of a definition do not hold the
// CoG (the origin of the vessel's frame): seen along the normal of their
// triangle it lies outside, or so near an edge that the vessel standing on
// them tips over at a lean of less than vessel::kLeastTipAngle. It names
// the edge, and the three points of the file that hold the CoG best
// (vessel::ChoosePrimary), in their order, when they hold it better.
// `points` are the positions of POINT_1 to POINT_N as the module reads
// them; points 1-3 must be finite and make a plane with an upward normal.
std::optional<Diagnostic> CheckCogHold(
    std::string_view file, int line, const std::vector<physics::Vec3>& points);

}  // namespace analysis

#endif  // VANTREL_ANALYSIS_COG_HOLD_CHECK_H_
