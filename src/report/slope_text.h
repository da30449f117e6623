#ifndef VANTREL_REPORT_SLOPE_TEXT_H_
#define VANTREL_REPORT_SLOPE_TEXT_H_

#include <ostream>
#include <string>

#include "report/drop_report.h"
#include "slope/slope_answer.h"

namespace report {

// How a vessel fares on slopes, in one line for `show`, `survey` and
// `init`: "comes to rest on slopes up to 0.12 deg; creeps 45.3 mm/s on
// 5 deg".
std::string SlopeLine(const slope::SlopeAnswer& answer);

// A speed in mm/s to three significant digits or so: "0.41", "45.3", "912".
std::string MillimetresPerSecond(double mm_s);

// The slope section of `vantrel drop --slope`, for two sets answered on
// their slope (DroppedSet::slope): the slope and the host's normal on it,
// then the sets side by side: when each comes to rest, its creep once
// settled, how far it moves in an hour, the steepest slope on which it
// still comes to rest at x1, and the slope that tips it over.
void PrintSlopeText(const DroppedSet& before, const DroppedSet& after,
                    std::ostream& out);

}  // namespace report

#endif  // VANTREL_REPORT_SLOPE_TEXT_H_
