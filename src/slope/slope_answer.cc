#include "slope/slope_answer.h"

namespace slope {

SlopeAnswer AnswerOnSlope(const physics::DropSetup& setup) {
  SlopeAnswer answer;
  answer.slope = setup.slope;
  answer.creep = CreepOnSlope(setup);
  answer.rests = SearchFreezingSlope(setup, kRestingStepDeg);
  answer.tip = TipOverSlope(setup.points, setup.slope.downhill_deg);
  return answer;
}

physics::DropSetup OnShownSlope(physics::DropSetup setup, double kappa) {
  setup.slope = {kShownSlopeDeg, 0.0, kappa};
  return setup;
}

}  // namespace slope
