#ifndef VANTREL_REPORT_TOUCHDOWN_SVG_H_
#define VANTREL_REPORT_TOUCHDOWN_SVG_H_

#include <optional>
#include <string>
#include <vector>

#include "orbiter_api.h"

namespace report {

// What to draw: a vessel's touchdown points in its own frame.
struct TouchdownDrawing {
  std::string title;
  std::vector<TOUCHDOWNVTX> points;
  // The height of the origin above the ground at rest, when known; the side
  // and front views then draw the ground.
  std::optional<double> origin_height;
  // The ground's up direction in the vessel frame at rest (unit); level,
  // along +y, when not given. A vessel resting tilted has the ground
  // drawn tilted under it.
  std::optional<VECTOR3> ground_up;
  // What keeps the vessel from standing on its first three points, such as
  // a ground plane that faces down; drawn in red under the title.
  std::string warning;
};

// An SVG document with a top view (x-z), a side view (z-y) and a front view
// (x-y), all at one scale: the points numbered, the first three highlighted
// with their ground-contact triangle, the origin (the centre of mass) marked
// and the axes labelled in metres. Points with a coordinate that is not a
// finite number are left out and named in a note.
std::string DrawTouchdownSvg(const TouchdownDrawing& drawing);

}  // namespace report

#endif  // VANTREL_REPORT_TOUCHDOWN_SVG_H_
