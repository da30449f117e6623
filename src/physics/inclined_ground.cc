#include "physics/inclined_ground.h"

#include <algorithm>
#include <cmath>

#include "physics/portable_math.h"

namespace physics {

namespace {

constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

// The unit normal of a plane that falls along the horizontal unit vector
// `downhill` at `tan_tilt`.
Vec3 NormalOf(double tan_tilt, const Vec3& downhill) {
  const Vec3 n{tan_tilt * downhill.x, 1.0, tan_tilt * downhill.z};
  return (1.0 / std::sqrt(1.0 + tan_tilt * tan_tilt)) * n;
}

}  // namespace

InclinedGround::InclinedGround(const Slope& slope) {
  const double angle = slope.angle_deg * kRadiansPerDegree;
  const double tan_angle = Sin(angle) / Cos(angle);
  // Flat ground keeps the exact vertical, so that it gives the flat
  // model's numbers to the last digit.
  flat_ = tan_angle == 0.0;
  if (flat_) return;
  const double azimuth = slope.downhill_deg * kRadiansPerDegree;
  const Vec3 downhill{Sin(azimuth), 0.0, Cos(azimuth)};
  lift_ = {tan_angle * downhill.x, 1.0, tan_angle * downhill.z};
  surface_normal_ = NormalOf(tan_angle, downhill);
  normal_ = NormalOf(slope.kappa * tan_angle, downhill);
  energy_weight_ = std::max(1.0, slope.kappa);
}

GroundView InclinedGround::ViewFrom(const Vec3& cog,
                                    const Rotation& attitude) const {
  GroundView view;
  view.vertical = ToVessel(attitude, {0, 1, 0});
  if (flat_) {
    view.normal = view.vertical;
    view.height_axis = view.vertical;
    view.cog_height = cog.y;
    return view;
  }
  view.normal = ToVessel(attitude, normal_);
  view.height_axis = ToVessel(attitude, lift_);
  view.cog_height = HeightAbove(cog);
  return view;
}

}  // namespace physics
