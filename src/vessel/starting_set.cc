#include "vessel/starting_set.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "vessel/primary_triangle.h"

namespace vessel {

namespace {

using physics::Vec3;

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
    std::vector<Vec3> positions;
    for (const Vertex& v : vertices) positions.push_back(v.pos);
    const auto primary = ChoosePrimary(positions);
    if (!primary) {
      return fail(inputs.mesh_file +
                  ": the CoG (the origin of the mesh) lies above no triangle "
                  "of the mesh's lowest vertices; no three of them hold the "
                  "vessel up");
    }
    const std::string& file = inputs.mesh_file;
    const auto& index = primary->index;
    // Points 2 and 3 named by which of them lies further left.
    const bool second_left =
        vertices[index[1]].pos.x <= vertices[index[2]].pos.x;
    const char* roles[] = {"front", second_left ? "left" : "right",
                           second_left ? "right" : "left"};
    for (std::size_t i = 0; i < 3; ++i) {
      const Vertex& v = vertices[index[i]];
      set.points.push_back(
          {v.pos, std::string("primary, ") + roles[i] + ": " + Where(v, file)});
    }
    const PrimaryHold& hold = primary->hold;
    set.primary_from = "the lowest region of " + file +
                       " (its vertices up to " + Metres(primary->band) +
                       " m above the lowest): the three whose triangle holds "
                       "the CoG furthest inside its edges, " +
                       Metres(hold.margin) + " m (it tips at a lean of " +
                       Metres(hold.TipAngle()) + " degrees)";
  } else {
    return fail("no TouchdownPoints and no mesh");
  }
  if (!vertices.empty())
    AddHull(vertices, BoxOf(vertices), inputs.mesh_file, set);
  return set;
}

}  // namespace vessel
