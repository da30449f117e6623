#ifndef VANTREL_VESSEL_DEFAULT_TOUCHDOWN_POINTS_H_
#define VANTREL_VESSEL_DEFAULT_TOUCHDOWN_POINTS_H_

#include <vector>

#include "orbiter_api.h"

namespace vessel {

// The points a vessel has when it sets none of its own.
std::vector<TOUCHDOWNVTX> DefaultTouchdownPoints();

}  // namespace vessel

#endif  // VANTREL_VESSEL_DEFAULT_TOUCHDOWN_POINTS_H_
