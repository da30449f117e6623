#ifndef VANTREL_REPORT_DROP_SVG_H_
#define VANTREL_REPORT_DROP_SVG_H_

#include <string>

#include "report/drop_report.h"

namespace report {

// What the title of a drop's picture names besides what the drop ran with
// (its time acceleration and frame rate).
struct DropTitle {
  std::string vessel;  // its name
  std::string mass;    // "1200 kg (--mass)"
  std::string body;    // what it lands on: "Moon, g = 1.6231 m/s^2 (...)"
};

// An SVG document of one drop: the CoG's height, the pitch and the roll
// over time (up to the blow-up of an unstable run, which it marks), and
// the vessel as it rests (or ends, or last was before the blow-up), seen
// from the side and from behind in the ground's frame: its points where
// they are, tilted as the vessel is, above a level ground line.
std::string DrawDropSvg(const DropTitle& title, const DroppedSet& set);

}  // namespace report

#endif  // VANTREL_REPORT_DROP_SVG_H_
