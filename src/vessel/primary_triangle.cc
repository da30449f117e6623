#include "vessel/primary_triangle.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <tuple>

#include "physics/ground_plane.h"

namespace vessel {

namespace {

using physics::Vec3;

constexpr double kPi = 3.14159265358979323846;
// The first band of the lowest region, as a fraction of the candidates'
// height, and its least height (m).
constexpr double kFirstBand = 0.02;
constexpr double kLeastBand = 1e-3;
// The directions of the ground plane in which the region's outermost
// points are taken.
constexpr int kDirections = 32;
// A CoG this close (m) outside a triangle lies on its edge.
constexpr double kOnEdge = 1e-9;

struct Candidate {
  Vec3 pos;
  std::size_t index = 0;  // in the caller's list
};

// The finite candidates, the first of each position, in the caller's order.
std::vector<Candidate> Distinct(const std::vector<Vec3>& points) {
  std::map<std::tuple<double, double, double>, std::size_t> first;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const Vec3& p = points[i];
    if (IsFinite(p)) first.emplace(std::make_tuple(p.x, p.y, p.z), i);
  }
  std::vector<Candidate> distinct;
  for (const auto& [pos, index] : first) {
    distinct.push_back({points[index], index});
  }
  std::sort(
      distinct.begin(), distinct.end(),
      [](const Candidate& a, const Candidate& b) { return a.index < b.index; });
  return distinct;
}

// Whether `a` goes before `b` among points that lie alike: the one nearer
// the centre line, then the lower one, then the first.
bool Before(const Candidate& a, const Candidate& b) {
  if (std::fabs(a.pos.x) != std::fabs(b.pos.x)) {
    return std::fabs(a.pos.x) < std::fabs(b.pos.x);
  }
  if (a.pos.y != b.pos.y) return a.pos.y < b.pos.y;
  return a.index < b.index;
}

// The points of `region` that lie farthest out in each of kDirections
// directions of the ground plane (x, z), those within kLengthTie of the
// farthest counting as equal; in the caller's order.
std::vector<Candidate> Outermost(const std::vector<Candidate>& region) {
  std::vector<Candidate> outer;
  for (int k = 0; k < kDirections; ++k) {
    const double angle = 2.0 * kPi * k / kDirections;
    const double dx = std::sin(angle), dz = std::cos(angle);
    const auto reach = [dx, dz](const Candidate& c) {
      return dx * c.pos.x + dz * c.pos.z;
    };
    double farthest = reach(region.front());
    for (const Candidate& c : region) farthest = std::max(farthest, reach(c));
    const Candidate* best = nullptr;
    for (const Candidate& c : region) {
      if (reach(c) < farthest - kLengthTie) continue;
      if (best == nullptr || Before(c, *best)) best = &c;
    }
    const bool known = std::any_of(
        outer.begin(), outer.end(),
        [best](const Candidate& c) { return c.index == best->index; });
    if (!known) outer.push_back(*best);
  }
  std::sort(
      outer.begin(), outer.end(),
      [](const Candidate& a, const Candidate& b) { return a.index < b.index; });
  return outer;
}

// The position (0, 1 or 2) of the foremost of three points: within
// kLengthTie of the foremost, the one nearest the centre line, then the
// first.
int Foremost(const std::array<const Candidate*, 3>& three) {
  double front = three[0]->pos.z;
  for (const Candidate* c : three) front = std::max(front, c->pos.z);
  int nose = -1;
  for (int i = 0; i < 3; ++i) {
    if (three[i]->pos.z < front - kLengthTie) continue;
    if (nose < 0 || std::fabs(three[i]->pos.x) <
                        std::fabs(three[nose]->pos.x) - kLengthTie) {
      nose = i;
    }
  }
  return nose;
}

// The best triangle of `points` by the rules of ChoosePrimary, whether or
// not it holds the CoG; nothing when no three make a plane.
std::optional<PrimaryChoice> BestTriangle(
    const std::vector<Candidate>& points) {
  struct Scored {
    PrimaryChoice choice;
    double nose_off_centre = 0.0;
  };
  std::vector<Scored> scored;
  const std::size_t n = points.size();
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = i + 1; j < n; ++j) {
      for (std::size_t k = j + 1; k < n; ++k) {
        const std::array<const Candidate*, 3> three{&points[i], &points[j],
                                                    &points[k]};
        const int nose = Foremost(three);
        const Candidate* a = three[(nose + 1) % 3];
        const Candidate* b = three[(nose + 2) % 3];
        if (b->index < a->index) std::swap(a, b);
        const Vec3& p0 = three[nose]->pos;
        if (physics::StanceOf(physics::GroundNormal(p0, a->pos, b->pos)) ==
            physics::Stance::kUpsideDown) {
          std::swap(a, b);
        }
        const auto hold = HoldOf(p0, a->pos, b->pos);
        if (!hold) continue;
        Scored s;
        s.choice.index = {three[nose]->index, a->index, b->index};
        s.choice.hold = *hold;
        s.nose_off_centre = std::fabs(p0.x);
        scored.push_back(s);
      }
    }
  }
  if (scored.empty()) return std::nullopt;
  double largest = scored.front().choice.hold.margin;
  for (const Scored& s : scored) {
    largest = std::max(largest, s.choice.hold.margin);
  }
  const auto tied = [largest](const Scored& s) {
    return s.choice.hold.margin >= largest - kLengthTie;
  };
  double nearest = std::numeric_limits<double>::infinity();
  for (const Scored& s : scored) {
    if (tied(s)) nearest = std::min(nearest, s.nose_off_centre);
  }
  for (const Scored& s : scored) {
    if (tied(s) && s.nose_off_centre <= nearest + kLengthTie) return s.choice;
  }
  return std::nullopt;
}

}  // namespace

double PrimaryHold::TipAngle() const {
  return std::atan2(margin, std::max(height, 0.0)) * 180.0 / kPi;
}

bool PrimaryHold::Holds() const {
  return margin > 0.0 && TipAngle() >= kLeastTipAngle;
}

std::optional<PrimaryHold> HoldOf(const Vec3& p0, const Vec3& p1,
                                  const Vec3& p2) {
  const Vec3 normal = physics::GroundNormal(p0, p1, p2);
  if (physics::StanceOf(normal) != physics::Stance::kUpright ||
      !std::isfinite(Length(normal))) {
    return std::nullopt;
  }
  const Vec3 up = (1.0 / Length(normal)) * normal;
  const std::array<Vec3, 3> p{p0, p1, p2};
  PrimaryHold hold;
  hold.height = -Dot(p0, up);
  for (int i = 0; i < 3; ++i) {
    const Vec3& a = p[(i + 1) % 3];
    const Vec3& b = p[(i + 2) % 3];
    Vec3 inward = Cross(up, b - a);
    inward = (1.0 / Length(inward)) * inward;
    if (Dot(p[i] - a, inward) < 0.0) inward = -inward;
    // The CoG is the origin: its projection lies as far from the edge.
    const double distance = -Dot(a, inward);
    hold.shares[i] = distance / Dot(p[i] - a, inward);
    if (i == 0 || distance < hold.margin) {
      hold.margin = distance;
      hold.edge = i;
    }
  }
  // Points so far apart that their distances overflow hold nothing.
  if (!std::isfinite(hold.margin) || !std::isfinite(hold.height)) {
    return std::nullopt;
  }
  return hold;
}

std::optional<PrimaryChoice> ChoosePrimary(
    const std::vector<Vec3>& candidates) {
  const std::vector<Candidate> distinct = Distinct(candidates);
  if (distinct.size() < 3) return std::nullopt;
  double low = distinct.front().pos.y, high = low;
  for (const Candidate& c : distinct) {
    low = std::min(low, c.pos.y);
    high = std::max(high, c.pos.y);
  }
  const double height = high - low;
  std::optional<PrimaryChoice> fallback;
  for (double band = std::max(kFirstBand * height, kLeastBand);; band *= 2.0) {
    std::vector<Candidate> region;
    for (const Candidate& c : distinct) {
      if (c.pos.y <= low + band) region.push_back(c);
    }
    if (auto best = BestTriangle(Outermost(region))) {
      best->band = band;
      if (best->hold.Holds()) return best;
      if (!fallback && best->hold.margin >= -kOnEdge) fallback = best;
    }
    if (band >= height) return fallback;
  }
}

}  // namespace vessel
