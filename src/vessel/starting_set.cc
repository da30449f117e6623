#include "starting_set.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "ground_plane.h"

namespace vessel {

namespace {

using physics::Vec3;

// The first band of the lowest region, and how far it may widen, as
// fractions of the mesh's height.
constexpr double kFirstBand = 0.02;
// The rear corners of the lowest region lie at least this fraction of the
// mesh's width apart.
constexpr double kCornerSpread = 0.2;
// Hull points closer than this fraction of the mesh's diagonal to a point
// of the set are near-duplicates.
constexpr double kMergeFraction = 0.05;

// A vertex of a rendered group, with what names it.
struct Vertex {
  Vec3 pos;
  int line = 0;
  std::size_t group = 0;  // 1-based
  const std::string* label = nullptr;
};

struct Box {
  Vec3 low, high;
  double Height() const { return high.y - low.y; }
  double Width() const { return high.x - low.x; }
  double Diagonal() const { return Length(high - low); }
};

std::vector<Vertex> RenderedVertices(const Mesh& mesh) {
  std::vector<Vertex> vertices;
  for (std::size_t g = 0; g < mesh.groups.size(); ++g) {
    const MeshGroup& group = mesh.groups[g];
    if (!group.Rendered()) continue;
    for (const MeshVertex& v : group.vertices) {
      vertices.push_back({v.pos, v.line, g + 1, &group.label});
    }
  }
  return vertices;
}

Box BoxOf(const std::vector<Vertex>& vertices) {
  Box box{vertices.front().pos, vertices.front().pos};
  for (const Vertex& v : vertices) {
    box.low = {std::min(box.low.x, v.pos.x), std::min(box.low.y, v.pos.y),
               std::min(box.low.z, v.pos.z)};
    box.high = {std::max(box.high.x, v.pos.x), std::max(box.high.y, v.pos.y),
                std::max(box.high.z, v.pos.z)};
  }
  return box;
}

std::string Metres(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3g", value + 0.0);
  return text;
}

// "Meshes\Lander.msh:40 (group 3, Pads)".
std::string Where(const Vertex& v, const std::string& file) {
  std::string where = file + ":" + std::to_string(v.line) + " (group " +
                      std::to_string(v.group);
  if (!v.label->empty()) where += ", " + *v.label;
  return where + ")";
}

// Whether `a` goes before `b` among vertices that score alike: the lower
// one, then the one nearer the centre line, then the one first in the file.
// A rule that treats left and right alike, so that a symmetric mesh gives
// a symmetric set.
bool Before(const Vertex& a, const Vertex& b) {
  if (a.pos.y != b.pos.y) return a.pos.y < b.pos.y;
  if (std::fabs(a.pos.x) != std::fabs(b.pos.x)) {
    return std::fabs(a.pos.x) < std::fabs(b.pos.x);
  }
  return false;
}

// The vertex of `vertices` that scores highest, scores within `tie` of
// each other counting as equal.
template <typename Score>
const Vertex* Best(const std::vector<const Vertex*>& vertices, Score score,
                   double tie) {
  const Vertex* best = nullptr;
  double best_score = 0.0;
  for (const Vertex* v : vertices) {
    const double s = score(*v);
    const bool higher = best == nullptr || s > best_score + tie;
    if (higher || (s >= best_score - tie && Before(*v, *best))) {
      best = v;
      best_score = s;
    }
  }
  return best;
}

struct Primary {
  const Vertex* nose = nullptr;
  const Vertex* left = nullptr;
  const Vertex* right = nullptr;
  double band = 0.0;
};

// The nose and rear corners of the vertices within `band` of the lowest.
std::optional<Primary> LowestRegion(const std::vector<Vertex>& vertices,
                                    const Box& box, double band) {
  std::vector<const Vertex*> low;
  for (const Vertex& v : vertices) {
    if (v.pos.y <= box.low.y + band) low.push_back(&v);
  }
  Primary primary;
  primary.band = band;
  // The foremost, and of those within a thousandth of the length of it, the
  // one nearest the centre line.
  const double tie = 1e-9 * box.Diagonal();
  const Vertex* front = Best(
      low, [](const Vertex& v) { return v.pos.z; }, tie);
  const double length_tie = 1e-3 * (box.high.z - box.low.z);
  std::vector<const Vertex*> foremost;
  for (const Vertex* v : low) {
    if (v->pos.z >= front->pos.z - length_tie) foremost.push_back(v);
  }
  primary.nose = Best(
      foremost, [](const Vertex& v) { return -std::fabs(v.pos.x); }, tie);
  std::vector<const Vertex*> left, right;
  for (const Vertex* v : low) {
    if (v->pos.x < 0.0) left.push_back(v);
    if (v->pos.x > 0.0) right.push_back(v);
  }
  primary.left = Best(
      left, [](const Vertex& v) { return -v.pos.z - v.pos.x; }, tie);
  primary.right = Best(
      right, [](const Vertex& v) { return -v.pos.z + v.pos.x; }, tie);
  if (primary.left == nullptr || primary.right == nullptr) return std::nullopt;
  if (primary.right->pos.x - primary.left->pos.x < kCornerSpread * box.Width())
    return std::nullopt;
  const Vec3 normal = physics::GroundNormal(
      primary.nose->pos, primary.left->pos, primary.right->pos);
  const double scale = box.Diagonal();
  if (!(Length(normal) > 1e-6 * scale * scale)) return std::nullopt;
  if (physics::StanceOf(normal) != physics::Stance::kUpright) {
    std::swap(primary.left, primary.right);
  }
  return primary;
}

std::optional<Primary> FindPrimary(const std::vector<Vertex>& vertices,
                                   const Box& box) {
  const double height = box.Height();
  for (double band = std::max(kFirstBand * height, 1e-3);; band *= 2.0) {
    if (auto primary = LowestRegion(vertices, box, band)) return primary;
    if (band >= height) return std::nullopt;
  }
}

// A direction of the hull: a unit vector and its name.
struct Direction {
  Vec3 unit;
  std::string name;
};

// The 26 directions of a cube's faces, then edges, then corners; within
// each, down before up, forward before back, right before left.
std::vector<Direction> HullDirections() {
  std::vector<Direction> directions;
  const int order[] = {-1, 1, 0};
  const int ahead[] = {1, -1, 0};
  for (int axes = 1; axes <= 3; ++axes) {
    for (int y : order) {
      for (int z : ahead) {
        for (int x : ahead) {
          if ((x != 0) + (y != 0) + (z != 0) != axes) continue;
          std::string name;
          const auto add = [&name](const char* part) {
            name += (name.empty() ? "" : "-") + std::string(part);
          };
          if (y != 0) add(y < 0 ? "down" : "up");
          if (z != 0) add(z > 0 ? "forward" : "back");
          if (x != 0) add(x > 0 ? "right" : "left");
          const Vec3 d{double(x), double(y), double(z)};
          directions.push_back({(1.0 / Length(d)) * d, name});
        }
      }
    }
  }
  return directions;
}

void AddHull(const std::vector<Vertex>& vertices, const Box& box,
             const std::string& file, StartingSet& set) {
  const double merge = std::max(kMergeFraction * box.Diagonal(), 1e-3);
  std::vector<const Vertex*> all;
  for (const Vertex& v : vertices) all.push_back(&v);
  for (const Direction& d : HullDirections()) {
    const Vertex* far = Best(
        all, [&d](const Vertex& v) { return Dot(v.pos, d.unit); },
        1e-9 * box.Diagonal());
    const bool near = std::any_of(set.points.begin(), set.points.end(),
                                  [&](const StartingPoint& p) {
                                    return Length(p.pos - far->pos) < merge;
                                  });
    if (near || set.points.size() == kMaxStartingPoints) continue;
    set.points.push_back(
        {far->pos, "hull, farthest " + d.name + ": " + Where(*far, file)});
  }
  set.hull_from = "the farthest vertices of " + file +
                  " in 26 directions, near-duplicates (within " +
                  Metres(merge) + " m) merged";
}

}  // namespace

std::optional<StartingSet> DeriveStartingSet(const StartingInputs& inputs,
                                             std::string* error) {
  const auto fail = [error](std::string why) {
    if (error != nullptr) *error = std::move(why);
    return std::nullopt;
  };
  std::vector<Vertex> vertices;
  if (inputs.mesh != nullptr) {
    vertices = RenderedVertices(*inputs.mesh);
    if (vertices.empty()) {
      return fail(inputs.mesh_file + ": no vertex in a rendered group");
    }
  }
  StartingSet set;
  if (inputs.touchdown) {
    for (std::size_t i = 0; i < 3; ++i) {
      set.points.push_back(
          {(*inputs.touchdown)[i], "primary: point " + std::to_string(i + 1) +
                                       " of TouchdownPoints, " +
                                       inputs.touchdown_from});
    }
    set.primary_from =
        "the class file's TouchdownPoints, " + inputs.touchdown_from;
  } else if (!vertices.empty()) {
    const Box box = BoxOf(vertices);
    const auto primary = FindPrimary(vertices, box);
    if (!primary) {
      return fail(inputs.mesh_file +
                  ": the lowest vertices of the mesh lie in a line or on one "
                  "side; no three of them hold the vessel up");
    }
    const std::string& file = inputs.mesh_file;
    set.points.push_back(
        {primary->nose->pos, "nose, the lowest region's foremost vertex: " +
                                 Where(*primary->nose, file)});
    for (const Vertex* corner : {primary->left, primary->right}) {
      set.points.push_back(
          {corner->pos, std::string("rear ") +
                            (corner->pos.x < 0.0 ? "left" : "right") +
                            " corner, the lowest region's farthest back and "
                            "out: " +
                            Where(*corner, file)});
    }
    set.primary_from = "the lowest region of " + file +
                       " (its vertices up to " + Metres(primary->band) +
                       " m above the lowest): the nose and the two rear "
                       "corners";
  } else {
    return fail("no TouchdownPoints and no mesh");
  }
  if (!vertices.empty())
    AddHull(vertices, BoxOf(vertices), inputs.mesh_file, set);
  return set;
}

}  // namespace vessel
