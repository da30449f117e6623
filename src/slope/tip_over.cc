#include "slope/tip_over.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "physics/ground_plane.h"
#include "physics/portable_math.h"

namespace slope {

namespace {

using physics::Vec3;

constexpr double kPi = 3.14159265358979323846;
constexpr double kDeg = 180.0 / kPi;

// A point in the plane of the feet: x to the right, y forwards.
struct Flat {
  double x = 0.0;
  double y = 0.0;
};

double Turn(const Flat& o, const Flat& a, const Flat& b) {
  return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

// The convex hull, counter-clockwise (monotone chain), without points on
// its edges.
std::vector<Flat> ConvexHull(std::vector<Flat> points) {
  std::sort(points.begin(), points.end(), [](const Flat& a, const Flat& b) {
    return a.x < b.x || (a.x == b.x && a.y < b.y);
  });
  if (points.size() < 3) return points;
  std::vector<Flat> hull(2 * points.size());
  std::size_t k = 0;
  for (const Flat& p : points) {
    while (k >= 2 && Turn(hull[k - 2], hull[k - 1], p) <= 0.0) --k;
    hull[k++] = p;
  }
  const std::size_t lower = k + 1;
  for (std::size_t i = points.size() - 1; i-- > 0;) {
    while (k >= lower && Turn(hull[k - 2], hull[k - 1], points[i]) <= 0.0) {
      --k;
    }
    hull[k++] = points[i];
  }
  hull.resize(k - 1);
  return hull;
}

}  // namespace

TipOver TipOverSlope(const physics::ContactPoints& points,
                     double downhill_deg) {
  TipOver tip;
  if (points.size() < 3) return tip;
  const Vec3 normal =
      physics::GroundNormal(points[0].pos, points[1].pos, points[2].pos);
  if (physics::StanceOf(normal) != physics::Stance::kUpright) return tip;
  const Vec3 up = (1.0 / physics::Length(normal)) * normal;
  if (!physics::IsFinite(up)) return tip;
  // The nose's direction in the plane, and the right side beside it; with
  // up pointing upwards neither can vanish.
  Vec3 forward = Vec3{0, 0, 1} - up.z * up;
  forward = (1.0 / physics::Length(forward)) * forward;
  const Vec3 right = physics::Cross(up, forward);

  double lowest = std::numeric_limits<double>::infinity();
  for (const physics::ContactPoint& p : points) {
    if (physics::IsFinite(p.pos)) {
      lowest = std::min(lowest, physics::Dot(p.pos, up));
    }
  }
  std::vector<Flat> feet;
  for (const physics::ContactPoint& p : points) {
    if (!physics::IsFinite(p.pos)) continue;
    if (physics::Dot(p.pos, up) > lowest + kFootReach) continue;
    feet.push_back({physics::Dot(p.pos, right), physics::Dot(p.pos, forward)});
  }
  tip.feet = static_cast<int>(feet.size());
  const std::vector<Flat> hull = ConvexHull(feet);
  if (hull.size() < 3) return tip;

  // Each edge's outward normal m and its distance c from the CoG's foot,
  // the origin: the foot lies inside when every c is positive.
  const double height = std::max(-lowest, 0.0);
  const Flat downhill{physics::Sin(downhill_deg / kDeg),
                      physics::Cos(downhill_deg / kDeg)};
  double reach = std::numeric_limits<double>::infinity();
  double nearest = std::numeric_limits<double>::infinity();
  for (std::size_t i = 0; i < hull.size(); ++i) {
    const Flat& a = hull[i];
    const Flat& b = hull[(i + 1) % hull.size()];
    const double length =
        std::sqrt((b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y));
    const Flat m{(b.y - a.y) / length, -(b.x - a.x) / length};
    const double c = m.x * a.x + m.y * a.y;
    if (!(c > 0.0)) return tip;
    const double towards = m.x * downhill.x + m.y * downhill.y;
    if (towards > 0.0) reach = std::min(reach, c / towards);
    if (c < nearest) {
      nearest = c;
      tip.worst_downhill_deg = physics::Atan2(m.x, m.y) * kDeg;
      if (tip.worst_downhill_deg < 0.0) tip.worst_downhill_deg += 360.0;
    }
  }
  tip.stands = true;
  tip.slope_deg = physics::Atan2(reach, height) * kDeg;
  tip.worst_slope_deg = physics::Atan2(nearest, height) * kDeg;
  return tip;
}

}  // namespace slope
