#include "physics/contact_forces.h"

#include <algorithm>
#include <cmath>

namespace physics {

namespace {

// The host's friction speed factor: sqrt(|v| / 10) below 10 m/s, 1 above.
double SpeedFactor(double speed) {
  const double s = std::fabs(speed);
  return s < 10.0 ? std::sqrt(s / 10.0) : 1.0;
}

double Friction(double speed, double coefficient, double load) {
  if (speed == 0.0) return 0.0;
  const double sign = speed > 0.0 ? 1.0 : -1.0;
  return -sign * coefficient * load * SpeedFactor(speed);
}

// The factor that keeps the friction along one axis from reversing the
// CoG's motion within one sub-step.
double Clamp(double sum, double limit) {
  if ((sum > limit && limit >= 0.0) || (sum < limit && limit <= 0.0)) {
    return sum != 0.0 ? limit / sum : 0.0;
  }
  return 1.0;
}

}  // namespace

ContactLoad ComputeContact(const ContactPoints& points, const Body& body,
                           const ContactInput& in) {
  ContactLoad load;
  if (in.cog_height > 2.0 * body.size || points.size() < 3) return load;
  const Vec3 d1 = points[0].pos - 0.5 * (points[1].pos + points[2].pos);
  const Vec3 lng = UnitOrZero(d1 - Dot(d1, in.up) * in.up);
  const Vec3 lat = Cross(in.up, lng);

  // Normal and friction forces of each point; the friction is scaled per
  // axis once all are known, so keep its two components apart. Each
  // force's moment (force x position) is summed as the axis crossed with
  // the points' positions weighted by their forces.
  double normal_sum = 0.0;
  double lng_sum = 0.0;
  double lat_sum = 0.0;
  Vec3 normal_moment;
  Vec3 lng_moment;
  Vec3 lat_moment;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const ContactPoint& p = points[i];
    double depth = DepthOf(p.pos, in);
    if (!(depth > 0.0)) continue;
    depth = std::min(depth, kDepthCap);
    ++load.touching;
    const Vec3 v = in.velocity + Cross(p.pos, in.rate);
    const double normal = p.stiffness * depth - p.damping * Dot(v, in.up);
    const double friction_load = p.stiffness * std::min(depth, 0.1);
    const double mu_lng = i < 3 ? p.mu_lng : p.mu;
    const double f_lng = Friction(Dot(v, lng), mu_lng, friction_load);
    const double f_lat = Friction(Dot(v, lat), p.mu, friction_load);
    normal_sum += normal;
    lng_sum += f_lng;
    lat_sum += f_lat;
    normal_moment += normal * p.pos;
    lng_moment += f_lng * p.pos;
    lat_moment += f_lat * p.pos;
  }
  if (load.touching == 0) return load;
  const double lng_scale =
      Clamp(lng_sum, -Dot(in.velocity, lng) * body.mass / in.step);
  const double lat_scale =
      Clamp(lat_sum, -Dot(in.velocity, lat) * body.mass / in.step);
  load.force = normal_sum * in.up + (lng_scale * lng_sum) * lng +
               (lat_scale * lat_sum) * lat;
  // Force x position, as the host takes the moment of a force.
  load.torque = Cross(in.up, normal_moment) +
                lng_scale * Cross(lng, lng_moment) +
                lat_scale * Cross(lat, lat_moment);
  return load;
}

}  // namespace physics
