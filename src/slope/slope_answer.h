#ifndef VANTREL_SLOPE_SLOPE_ANSWER_H_
#define VANTREL_SLOPE_SLOPE_ANSWER_H_

#include "physics/drop_test.h"
#include "slope/creep.h"
#include "slope/freezing_slope.h"
#include "slope/tip_over.h"

namespace slope {

// The slope on which `show`, `survey` and `init` say how a vessel creeps
// (degrees), nose downhill.
constexpr double kShownSlopeDeg = 5.0;

// The resolution of the search for the steepest slope on which a vessel
// still comes to rest (degrees). Each halving of it is one more drop,
// and the survey answers every distinct vessel on every body.
constexpr double kRestingStepDeg = 0.05;

// How a set of points fares on the slopes of a body: whether and when it
// comes to rest on the slope asked for and how it creeps there, the
// steepest slope on which it still comes to rest at x1, and the slope that
// tips it over. Every command that tells of slopes asks here.
struct SlopeAnswer {
  physics::Slope slope;  // the slope asked for
  Creep creep;           // on it
  FreezingSlope rests;   // at x1, at the drop's frame rate
  TipOver tip;           // downhill as asked
};

// The answer for the drop `setup` on its slope (angle, downhill direction
// and kappa), from its start, frame rate and time.
SlopeAnswer AnswerOnSlope(const physics::DropSetup& setup);

// The drop `setup` moved onto the slope `show`, `survey` and `init` tell
// of: kShownSlopeDeg, nose downhill, on a body whose host normal leans
// `kappa` times as steeply as its terrain.
physics::DropSetup OnShownSlope(physics::DropSetup setup, double kappa);

}  // namespace slope

#endif  // VANTREL_SLOPE_SLOPE_ANSWER_H_
