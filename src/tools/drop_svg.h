#ifndef VANTREL_TOOLS_DROP_SVG_H_
#define VANTREL_TOOLS_DROP_SVG_H_

#include <ostream>
#include <string>

#include "drop_report.h"

namespace tools {

// An SVG document of one drop: the CoG's height, the pitch and the roll
// over time, and the vessel as it rests (or ends), seen from the side and
// from behind in the ground's frame: its points where they are, tilted as
// the vessel is, above a level ground line.
std::string DrawDropSvg(const std::string& title, const DroppedSet& set);

// Writes DrawDropSvg to `path`; false after saying why on `err`.
bool WriteDropSvg(const std::string& path, const std::string& title,
                  const DroppedSet& set, std::ostream& err);

}  // namespace tools

#endif  // VANTREL_TOOLS_DROP_SVG_H_
