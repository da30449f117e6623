#ifndef VANTREL_PHYSICS_RESTING_LOAD_H_
#define VANTREL_PHYSICS_RESTING_LOAD_H_

#include <array>
#include <optional>

#include "physics/contact_point.h"
#include "physics/rigid_body.h"

namespace physics {

// How the host loads the three primary points of a vessel that a scenario
// puts down as landed. In the frame of the primary triangle (rows
// e_x = unit(p2 - p1), its up normal n, e_z = e_x x n) each point is a
// spring along n, and the three forces balance the weight m g and its
// moments; each point is compressed by its force over its stiffness. The
// spring carrying F moves a mass F / g, so its damping ratio is
// c / (2 sqrt(k F / g)).
struct PrimaryContact {
  double force = 0.0;          // N
  double compression = 0.0;    // m
  double origin_height = 0.0;  // m: -y - compression, the vessel level
  double damping_ratio = 0.0;  // 1 is critical damping
};

struct RestingLoad {
  enum class Outcome {
    kStands,      // every point carries a share of the weight
    kTips,        // the CoG lies outside the triangle
    kNoTriangle,  // the three points make no plane, or no balance
  };
  Outcome outcome = Outcome::kNoTriangle;
  std::array<PrimaryContact, 3> contacts;
  // The mean of the three origin heights; they differ when the vessel
  // rests tilted.
  double origin_height = 0.0;
};

// The host's compression factors of points 0-2 under the weight
// mass * gravity. Needs at least three points.
RestingLoad ComputeRestingLoad(const ContactPoints& points, double mass,
                               double gravity);

// Where the host puts a vessel that a scenario lands without ALT and AROT:
// the primary points compressed by their loads, the CoG at the height their
// plane gives, tilted so that its normal points up (upside down for a
// downward normal). Nothing when the points make no placement.
std::optional<BodyState> LandedPlacement(const ContactPoints& points,
                                         double mass, double gravity);

}  // namespace physics

#endif  // VANTREL_PHYSICS_RESTING_LOAD_H_
