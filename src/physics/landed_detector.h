#ifndef VANTREL_PHYSICS_LANDED_DETECTOR_H_
#define VANTREL_PHYSICS_LANDED_DETECTOR_H_

#include "physics/contact_point.h"
#include "physics/inclined_ground.h"
#include "physics/rigid_body.h"

namespace physics {

// The host's flag for a vessel on the ground, which gates its test for
// rest: some point lies below the level plane through the terrain point
// under the CoG. On a slope a point touching the terrain uphill can lie
// above that plane. Nothing touches while the CoG is higher than twice
// `body.size` above the terrain.
bool SurfaceContact(const ContactPoints& points, const Body& body,
                    const GroundView& view);

// The host's test for a vessel come to rest on the ground, run after every
// frame. It starts on the first frame in contact, at that frame's start
// time, with the vessel where the frame left it, and stops on a frame out
// of contact. The host stamps each frame with its start time; a frame is a
// sample once that time is 0.1 s or more after the start. With dr2 the
// squared distance the CoG moved since the previous sample and da the turn
// of the attitude since then, dr2 / T > 1e-4 or da / T > 1e-4 (T the time
// since the start) starts the test again at the sample's time; once T
// exceeds 5 s without that, the vessel is LANDED.
class LandedDetector {
 public:
  // Stops the test; it starts again on the next frame in contact.
  void Stop() { running_ = false; }

  // The frame that started at `frame_start` and left the vessel in
  // `state`, in contact or not; true when the vessel is now LANDED.
  bool Sample(double frame_start, const BodyState& state, bool contact);

  // When the test last started (s); negative while it does not run.
  double started_at() const { return running_ ? start_ : -1.0; }

 private:
  bool running_ = false;
  double start_ = 0.0;
  Vec3 position_;
  Rotation attitude_;
};

}  // namespace physics

#endif  // VANTREL_PHYSICS_LANDED_DETECTOR_H_
