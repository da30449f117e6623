#ifndef VANTREL_PHYSICS_INCLINED_GROUND_H_
#define VANTREL_PHYSICS_INCLINED_GROUND_H_

#include "physics/rotation.h"
#include "physics/vector3.h"

namespace physics {

// A uniform slope under the vessel, in numbers a caller can fill from a
// command line and a body file.
struct Slope {
  double angle_deg = 0.0;  // the terrain's inclination; 0 is flat ground
  // The downhill direction, measured from the vessel's nose towards its
  // right side, seen from above: 0 nose downhill, 90 right side downhill.
  double downhill_deg = 0.0;
  // How much steeper the host's normal is than the terrain:
  // tan(normal's tilt) = kappa tan(angle). The host takes its normal from
  // elevation data without converting their units, so kappa is
  // 1 / ElevationResolution of the body at the equator (2 on Earth and
  // the Moon, 1 on Mars).
  double kappa = 1.0;
};

// The terrain as a vessel sees it, in the vessel frame.
struct GroundView {
  // The host's normal under the CoG: the normal force, the damping and
  // both friction axes use it (unit).
  Vec3 normal;
  // A point p of the vessel lies cog_height + p . height_axis above the
  // terrain, measured vertically at the point's own place.
  Vec3 height_axis;
  Vec3 vertical;            // up, along gravity (unit)
  double cog_height = 0.0;  // m, vertically above the terrain below the CoG
};

// The ground as the host sees terrain with elevation, for a uniform slope.
// The ground frame has its origin on the terrain, y up (radial) and z along
// the vessel's heading; the terrain falls along a horizontal direction, and
// its height at a place is a function of x and z alone. A point's depth is
// the vertical distance to the terrain at its own place; the forces follow
// one normal, the host's under the CoG, tilted kappa times as steeply as
// the terrain. Flat ground is the slope of 0 degrees, whatever kappa and
// the downhill direction: every number then equals the flat ground's.
class InclinedGround {
 public:
  InclinedGround() = default;
  explicit InclinedGround(const Slope& slope);

  // How far the ground-frame point `p` lies above the terrain, vertically.
  double HeightAbove(const Vec3& p) const {
    return flat_ ? p.y : Dot(p, lift_);
  }
  // The terrain as seen from a vessel whose CoG is at `cog` (ground frame)
  // with `attitude`.
  GroundView ViewFrom(const Vec3& cog, const Rotation& attitude) const;

  // The terrain's own normal (ground frame).
  const Vec3& surface_normal() const { return surface_normal_; }
  // The host's normal (ground frame).
  const Vec3& normal() const { return normal_; }
  // Gravity works on m g y; sliding down, the tilted normal can feed the
  // vessel at most (weight - 1) times what gravity gives it, so m g y
  // times this weight bounds what the ground can add to the energy.
  double energy_weight() const { return energy_weight_; }

 private:
  bool flat_ = true;
  Vec3 lift_{0, 1, 0};  // up + tan(angle) downhill
  Vec3 surface_normal_{0, 1, 0};
  Vec3 normal_{0, 1, 0};
  double energy_weight_ = 1.0;
};

}  // namespace physics

#endif  // VANTREL_PHYSICS_INCLINED_GROUND_H_
