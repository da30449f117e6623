#ifndef VANTREL_TOOLS_RESTING_LOAD_H_
#define VANTREL_TOOLS_RESTING_LOAD_H_

#include <array>
#include <string>
#include <vector>

#include "orbiter_api.h"

namespace tools {

// How a vessel rests on its three primary points.
//
// The model: a rigid vessel stands upright on level ground, its centre of
// mass at the origin of its frame; each of the first three points is a
// vertical linear spring, and nothing else touches the ground. The three
// vertical forces balance the weight m g and its moments about the x and z
// axes:
//   F1 + F2 + F3 = m g,  sum Fi xi = 0,  sum Fi zi = 0.
// Each point then sinks by Fi / ki, and the origin stands -yi - Fi / ki above
// the ground at that point; the spring carrying Fi moves a mass Fi / g, so
// its damping ratio is ci / (2 sqrt(ki Fi / g)). g is the module's gravity.
struct ContactLoad {
  double force = 0.0;          // N
  double compression = 0.0;    // m
  double origin_height = 0.0;  // m
  double damping_ratio = 0.0;  // 1 is critical damping
};

struct RestingLoad {
  enum class Outcome {
    kStands,      // every point carries a share of the weight
    kTips,        // the centre of mass lies outside the ground triangle
    kNoTriangle,  // seen from above the three points lie in a line
  };
  Outcome outcome = Outcome::kNoTriangle;
  std::array<ContactLoad, 3> contacts;
  // The mean of the three origin heights; they differ when the vessel rests
  // tilted.
  double origin_height = 0.0;
};

// Needs at least three points.
RestingLoad ComputeRestingLoad(const std::vector<TOUCHDOWNVTX>& points,
                               double mass);

}  // namespace tools

#endif  // VANTREL_TOOLS_RESTING_LOAD_H_
