#ifndef VANTREL_TOOLS_DROP_SVG_H_
#define VANTREL_TOOLS_DROP_SVG_H_

#include <string>

#include "drop_report.h"

namespace tools {

// An SVG document of one drop: the CoG's height, the pitch and the roll
// over time, and the vessel as it rests (or ends), seen from the side and
// from behind in the ground's frame: its points where they are, tilted as
// the vessel is, above a level ground line.
std::string DrawDropSvg(const std::string& title, const DroppedSet& set);

}  // namespace tools

#endif  // VANTREL_TOOLS_DROP_SVG_H_
