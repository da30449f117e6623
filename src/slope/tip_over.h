#ifndef VANTREL_SLOPE_TIP_OVER_H_
#define VANTREL_SLOPE_TIP_OVER_H_

#include "physics/contact_point.h"

namespace slope {

// The slope that tips a vessel over, from the geometry of its points. It
// stands with its feet on the terrain: the points no more than kFootReach
// above the lowest one, measured along the normal of points 1-3. Gravity
// stays vertical, so on a slope of angle a the CoG's projection along it
// moves downhill by H tan(a) in the plane of the feet, H the CoG's height
// above them; once it leaves the support polygon (the convex hull of the
// feet) the vessel tips over. The host's kappa does not enter: the contact
// forces of a steady creep add up to the weight, through the CoG.
struct TipOver {
  // The CoG's projection lies inside the support polygon on flat ground:
  // the numbers below mean something.
  bool stands = false;
  double slope_deg = 0.0;  // downhill in the direction asked for
  // The least over every downhill direction, and that direction (degrees
  // from the nose towards the right side).
  double worst_slope_deg = 0.0;
  double worst_downhill_deg = 0.0;
  int feet = 0;  // points that count as feet
};

// A point this close to the lowest one counts as a foot (m): the legs of a
// set lie about level, the points of the body well above them.
constexpr double kFootReach = 0.1;

// For the downhill direction `downhill_deg` from the nose towards the
// right side, as physics::Slope measures it.
TipOver TipOverSlope(const physics::ContactPoints& points, double downhill_deg);

}  // namespace slope

#endif  // VANTREL_SLOPE_TIP_OVER_H_
