#ifndef VANTREL_REPORT_UNWRAPPED_ATTITUDE_H_
#define VANTREL_REPORT_UNWRAPPED_ATTITUDE_H_

#include <vector>

#include "physics/drop_test.h"

namespace report {

// `history` with pitch and roll made continuous, for drawing: a pitch and
// roll name an attitude only up to whole turns, and (p, r) is the same
// attitude as (180 - p, r + 180). Each sample takes the form nearest to
// the sample before it, so a vessel that goes over backwards shows its
// pitch passing 90 deg on to 180 deg rather than its roll jumping from 0
// to -180 deg, and a roll past 180 deg goes on to 181 deg.
std::vector<physics::DropSample> UnwrappedAttitude(
    std::vector<physics::DropSample> history);

}  // namespace report

#endif  // VANTREL_REPORT_UNWRAPPED_ATTITUDE_H_
