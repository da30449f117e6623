#ifndef VANTREL_VESSEL_PRIMARY_TRIANGLE_H_
#define VANTREL_VESSEL_PRIMARY_TRIANGLE_H_

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

#include "physics/vector3.h"

namespace vessel {

// The least lean, in degrees, that a vessel standing on its primary points
// alone must survive before it tips over an edge of their triangle.
constexpr double kLeastTipAngle = 1.0;
// Lengths that differ by no more than this (m) count as equal when the
// primary points are chosen: a mesh that is symmetric within a few
// millimetres gives a symmetric choice, not one decided by the noise.
constexpr double kLengthTie = 0.003;

// How the triangle of three primary points holds the centre of gravity,
// which is the origin of the vessel's frame. The host sets a landed vessel
// down on these points, level, with their normal pointing up.
struct PrimaryHold {
  // The distance (m), in the triangle's plane, from the CoG's projection
  // along the normal to the nearest edge: positive inside the triangle,
  // negative outside.
  double margin = 0.0;
  // The nearest edge, by the point (0, 1 or 2) that does not lie on it.
  int edge = 0;
  // The height (m) of the CoG above the triangle's plane.
  double height = 0.0;
  // The share of the vessel's weight each point takes when the host puts
  // the vessel down on them (the CoG's barycentric coordinates); a negative
  // share pulls.
  std::array<double, 3> shares{};

  // How far (degrees) the vessel standing on these points leans before it
  // tips over the nearest edge; negative when the CoG lies outside.
  double TipAngle() const;
  // Whether the CoG lies inside with a lean of at least kLeastTipAngle to
  // spare.
  bool Holds() const;
};

// How p0, p1, p2, given in the host's order, hold the CoG. Nothing when
// they make no plane or their normal points down.
std::optional<PrimaryHold> HoldOf(const physics::Vec3& p0,
                                  const physics::Vec3& p1,
                                  const physics::Vec3& p2);

// Three points chosen to hold a vessel, as indices into the candidates, in
// the order of points 1, 2 and 3.
struct PrimaryChoice {
  std::array<std::size_t, 3> index{};
  PrimaryHold hold;
  double band = 0.0;  // m: the lowest region's height, see ChoosePrimary
};

// Chooses the primary points of a vessel from `candidates` (the vertices
// of its mesh, or the points of a definition), in its frame: the three
// whose triangle holds the CoG furthest inside its edges.
//  - Only the lowest region takes part: the candidates up to a band above
//    the lowest one, 2% of their height (at least 1 mm) at first, doubled
//    until some triangle of them holds the CoG (PrimaryHold::Holds) or the
//    band spans every candidate. Of the region, only its outermost points
//    in 32 directions of the ground plane take part.
//  - Of the triangles within kLengthTie of the largest margin, the one
//    whose point 1 lies nearest the centre line x = 0 wins (again within
//    kLengthTie), then the one of the candidates that come first.
//  - Point 1 is the foremost of the three (within kLengthTie, the one
//    nearest the centre line); points 2 and 3 follow in the order that
//    gives the host's normal upwards.
// When no band gives a triangle that holds the CoG, the lowest one with a
// triangle that has the CoG inside or on an edge gives its best; nothing
// when no triangle has. Points that are not finite never take part; of
// candidates that coincide, the first does.
std::optional<PrimaryChoice> ChoosePrimary(
    const std::vector<physics::Vec3>& candidates);

}  // namespace vessel

#endif  // VANTREL_VESSEL_PRIMARY_TRIANGLE_H_
