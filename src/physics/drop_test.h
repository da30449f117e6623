#ifndef VANTREL_PHYSICS_DROP_TEST_H_
#define VANTREL_PHYSICS_DROP_TEST_H_

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "physics/contact_point.h"
#include "physics/inclined_ground.h"
#include "physics/rigid_body.h"
#include "physics/standard_gravity.h"
#include "physics/verdict.h"

namespace physics {

// How a drop test starts.
enum class DropStart {
  kRelease,  // upright and still, the lowest point `height` above the ground
  kLanded,   // where the host puts a landed vessel on the set's points
  // LANDED where the host puts a landed vessel on its own points, and so
  // frozen until the set, handed over in DropSetup::switch_frame as the
  // plug-in's sweep does, wakes it.
  kSwitch,
};

// One frame's end.
struct DropSample {
  double time = 0.0;        // s
  double cog_height = 0.0;  // m, above the terrain below the CoG
  double pitch_deg = 0.0;   // the nose above the horizon
  double roll_deg = 0.0;    // the right side down
  Vec3 velocity;            // of the CoG, ground frame (m/s)
  // When the host's test for rest last started (s); negative while it
  // does not run.
  double rest_test_start = -1.0;
};

struct DropResult;

// A drop test: a set of points on a vessel, and how to run it.
struct DropSetup {
  ContactPoints points;
  ContactPoints own_points;  // the vessel's own (for kSwitch)
  Body body;
  double gravity = kStandardGravity;  // m/s^2
  Slope slope;                        // flat unless told otherwise
  double fps = 60.0;                  // frames per real second
  double warp = 1.0;                  // time acceleration
  double seconds = 30.0;              // simulated time (s)
  double height = 0.5;                // m, for kRelease
  DropStart start = DropStart::kRelease;
  // For kSwitch: the frame in which the set is handed over.
  long switch_frame = 0;
  // False: the vessel moves on once LANDED, as if the host did not freeze
  // it, to show how it creeps; `landed_at` still says when the host
  // freezes it, and the rest state is the state at the end.
  bool freeze = true;
  // Asked after every frame, with the run so far (its history and whether
  // and when it came to rest): true ends the run there. A search that only
  // asks whether the vessel comes to rest ends a run with it once the
  // vessel can no longer do so.
  std::function<bool(const DropResult&)> ends_early;
};

// A point at rest (or at the end).
struct PointRest {
  double depth = 0.0;  // m below the ground; negative above it
  // Of the ground's normal force; at rest the vessel is still, and the
  // springs alone carry it.
  double load_share = 0.0;
};

struct DropResult {
  Verdict verdict = Verdict::kKeepsMoving;  // the first of RunFaults
  bool diverged = false;  // the motion grew without bound or not finite
  std::optional<double> landed_at;  // s
  bool at_rest = false;             // LANDED; else the state at the end
  BodyState rest;
  DropSample rest_sample;
  double tilt_deg = 0.0;  // of the up axis from the ground's up, at rest
  std::vector<PointRest> points;  // of the set, in its order
  int bounces = 0;  // times every point left the ground after first contact
  double max_depth = 0.0;           // m
  std::vector<DropSample> history;  // the start, then every frame's end
  // A motion that grew without bound: the end of the frame in which it was
  // found (s), and the state at the start of that frame, the last bounded.
  std::optional<double> blew_up_at;
  BodyState before_blow_up;
  long frames = 0;
  long long evaluations = 0;  // stage evaluations with contact
};

// The real time of a frame at `fps` frames per second (s): the host caps
// it at 0.1 s. Its first three frames take 10 ms.
double FrameTime(double fps);

// The sub-step h of the host's integration in contact at `fps` and `warp`:
// the frame's simulated time over ten.
double SubStep(double fps, double warp);

// Simulates the host's ground contact for the setup (see
// host-ground-contact notes in the code): each frame with contact is ten
// sub-steps of the eighth-order Runge-Kutta-Fehlberg scheme, contact felt
// at every stage; a frame without contact at its start is computed without
// it and, when a point then lies in the ground, computed again with contact
// after the host's cap on the speed of descent.
DropResult RunDrop(const DropSetup& setup);

// The pitch and roll of an attitude (degrees), and the angle between the
// vessel's up axis and `up` (the ground's up on flat ground, the terrain's
// normal on a slope).
DropSample Attitude(const BodyState& state, double time);
double TiltDeg(const BodyState& state, const Vec3& up = {0, 1, 0});

}  // namespace physics

#endif  // VANTREL_PHYSICS_DROP_TEST_H_
