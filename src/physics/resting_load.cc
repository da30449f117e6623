#include "physics/resting_load.h"

#include <cmath>

#include "physics/ground_plane.h"

namespace physics {

namespace {

Vec3 Unit(const Vec3& v) { return (1.0 / Length(v)) * v; }

// The compression factor of each primary point (m/N), or nothing without a
// plane or a balance.
std::optional<std::array<double, 3>> Factors(const ContactPoints& p) {
  const Vec3 normal = GroundNormal(p[0].pos, p[1].pos, p[2].pos);
  if (StanceOf(normal) == Stance::kNoPlane) return std::nullopt;
  const Vec3 n = Unit(normal);
  const Vec3 ex = Unit(p[2].pos - p[1].pos);
  const Vec3 ez = Cross(ex, n);
  double a = 0, b = 0, c = 0, d = 0, e = 0, f = 0;
  double xs[3], zs[3];
  for (int i = 0; i < 3; ++i) {
    const double k = p[static_cast<std::size_t>(i)].stiffness;
    xs[i] = Dot(ex, p[static_cast<std::size_t>(i)].pos);
    zs[i] = Dot(ez, p[static_cast<std::size_t>(i)].pos);
    a += k;
    b += k * xs[i];
    c += k * zs[i];
    d += k * xs[i] * xs[i];
    e += k * xs[i] * zs[i];
    f += k * zs[i] * zs[i];
  }
  const double den =
      c * c * d - 2 * b * c * e + b * b * f + a * (e * e - d * f);
  if (!std::isfinite(den) || den == 0.0) return std::nullopt;
  const double dy = (e * e - d * f) / den;
  const double s_theta = (b * f - c * e) / den;
  const double s_phi = (c * d - b * e) / den;
  std::array<double, 3> factors{};
  for (int i = 0; i < 3; ++i) {
    factors[static_cast<std::size_t>(i)] = dy + s_theta * xs[i] + s_phi * zs[i];
  }
  return factors;
}

}  // namespace

RestingLoad ComputeRestingLoad(const ContactPoints& points, double mass,
                               double gravity) {
  RestingLoad load;
  const auto factors = Factors(points);
  if (!factors) return load;
  const double weight = mass * gravity;
  load.outcome = RestingLoad::Outcome::kStands;
  double height_sum = 0.0;
  for (std::size_t i = 0; i < 3; ++i) {
    PrimaryContact& contact = load.contacts[i];
    const ContactPoint& point = points[i];
    contact.compression = (*factors)[i] * weight;
    contact.force = point.stiffness * contact.compression;
    if (contact.force < 0.0) load.outcome = RestingLoad::Outcome::kTips;
    contact.origin_height = -point.pos.y - contact.compression;
    contact.damping_ratio =
        point.damping /
        (2.0 * std::sqrt(point.stiffness * contact.force / gravity));
    height_sum += contact.origin_height;
  }
  load.origin_height = height_sum / 3.0;
  return load;
}

std::optional<BodyState> LandedPlacement(const ContactPoints& points,
                                         double mass, double gravity) {
  const auto factors = Factors(points);
  if (!factors) return std::nullopt;
  const Vec3 n =
      Unit(GroundNormal(points[0].pos, points[1].pos, points[2].pos));
  Vec3 q[3];
  for (std::size_t i = 0; i < 3; ++i) {
    q[i] = points[i].pos + ((*factors)[i] * mass * gravity) * n;
  }
  const Vec3 compressed = GroundNormal(q[0], q[1], q[2]);
  if (StanceOf(compressed) == Stance::kNoPlane) return std::nullopt;
  const Vec3 up = Unit(compressed);
  BodyState state;
  state.position.y = Dot(up, -q[0]);
  state.attitude = Levelling(up);
  if (!std::isfinite(state.position.y)) return std::nullopt;
  return state;
}

}  // namespace physics
