#ifndef VANTREL_TOOLS_DROP_REPORT_H_
#define VANTREL_TOOLS_DROP_REPORT_H_

#include <optional>
#include <ostream>
#include <string>

#include "drop_test.h"

namespace tools {

// One set of points dropped: what the drop test found, and the warps.
struct DroppedSet {
  std::string label;  // "before (the vessel's own points)"
  physics::DropSetup setup;
  physics::DropResult result;
  // By simulating from the host's landed placement; none when none lands.
  std::optional<double> stable_warp;
  double linear_warp = 0.0;  // the linear-stability estimate
};

// Drops the set of `setup` and searches its stable warp.
DroppedSet DropSet(std::string label, const physics::DropSetup& setup);

// The table of `vantrel drop`: the sets side by side, then each point of
// the sets at rest.
void PrintDropText(const DroppedSet& before, const DroppedSet& after,
                   std::ostream& out);

// The definition's drop as JSON: verdict, landed_at_s, rest, points,
// bounces, max_depth_m, max_stable_warp.
void PrintDropJson(const DroppedSet& after, std::ostream& out);

// The one line a verdict makes: "lands upright at 4.3 s; stands up to x250
// at 60 fps".
std::string VerdictLine(const DroppedSet& set);

}  // namespace tools

#endif  // VANTREL_TOOLS_DROP_REPORT_H_
