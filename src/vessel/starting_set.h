#ifndef VANTREL_VESSEL_STARTING_SET_H_
#define VANTREL_VESSEL_STARTING_SET_H_

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "physics/vector3.h"
#include "vessel/mesh_file.h"

namespace vessel {

// The most points a starting set holds: three primary ones and at most one
// hull point in each of 26 directions fit.
constexpr std::size_t kMaxStartingPoints = 32;

// One point of a starting set and where it comes from.
struct StartingPoint {
  physics::Vec3 pos;
  std::string origin;  // "nose: ...", for a comment beside the point
};

// A set of touchdown points to start a definition from: the three primary
// points first, ordered so that the host's up normal points along +y, then
// hull points.
struct StartingSet {
  std::vector<StartingPoint> points;
  std::string primary_from;  // where points 1-3 come from
  std::string hull_from;     // where the others come from; empty if none
};

// What a starting set is made from.
struct StartingInputs {
  // The class file's TouchdownPoints, and where they are written
  // ("Config\Vessels\Lander.cfg:12").
  std::optional<std::array<physics::Vec3, 3>> touchdown;
  std::string touchdown_from;
  // The vessel's mesh, and its file as the comments name it; none if null.
  const Mesh* mesh = nullptr;
  std::string mesh_file;
};

// Derives a starting set. The primary points are the class file's
// TouchdownPoints when it has them, in their order. Otherwise they are the
// three vertices of the mesh that ChoosePrimary chooses: of its lowest
// region, the three whose triangle holds the CoG (the mesh's origin)
// furthest inside its edges, the foremost first, then the other two in the
// order that gives an upward normal. The hull points are the mesh's
// farthest vertices in the 26 directions of a cube's faces, edges and
// corners, lowest first, each left out when it lies within 5% of the
// mesh's diagonal of a point already in the set. Only groups that are
// rendered count. Of vertices that lie equally far, the lowest is taken,
// then the one nearest the centre line, so that a mesh symmetric about
// x = 0 gives a symmetric set.
// Success: the set. Failure: nothing, with `error` saying why.
std::optional<StartingSet> DeriveStartingSet(const StartingInputs& inputs,
                                             std::string* error);

}  // namespace vessel

#endif  // VANTREL_VESSEL_STARTING_SET_H_
