#include "physics/drop_test.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "physics/contact_forces.h"
#include "physics/landed_detector.h"
#include "physics/portable_math.h"
#include "physics/resting_load.h"
#include "physics/rkf78.h"

namespace physics {

namespace {

constexpr double kDeg = 180.0 / kPi;
constexpr int kSubSteps = 10;
constexpr double kMaxRate = 100.0 * kPi;  // rad/s, after each frame
constexpr double kUnboundedSpeed = 1e4;   // m/s

// Whether the host feels the ground for this state.
bool Touching(const ContactPoints& points, const Body& body,
              const InclinedGround& ground, const BodyState& state) {
  const ContactInput in = ContactInputOf(ground, state, 1.0);
  if (in.cog_height > 2.0 * body.size) return false;
  for (const ContactPoint& p : points) {
    if (DepthOf(p.pos, in) > 0.0) return true;
  }
  return false;
}

// Kinetic, gravitational and spring energy (J); on flat ground the host's
// forces other than the springs only take energy away. On a slope the
// gravitational part is weighted to bound what the tilted normal adds.
double Energy(const ContactPoints& points, const Body& body, double gravity,
              const InclinedGround& ground, const BodyState& state) {
  const double m = body.mass;
  const Vec3& w = state.rate;
  const Vec3& i = body.inertia;
  double energy =
      0.5 * m * Dot(state.velocity, state.velocity) +
      0.5 * m * (i.x * w.x * w.x + i.y * w.y * w.y + i.z * w.z * w.z) +
      m * gravity * ground.energy_weight() * state.position.y;
  const ContactInput in = ContactInputOf(ground, state, 1.0);
  if (in.cog_height > 2.0 * body.size) return energy;
  for (const ContactPoint& p : points) {
    const double d = DepthOf(p.pos, in);
    if (!(d > 0.0)) continue;
    const double held = std::min(d, kDepthCap);
    energy += p.stiffness * (0.5 * held * held + (d - held) * kDepthCap);
  }
  return energy;
}

// Upright and still, the lowest point `height` above the ground (measured
// vertically, at its own place).
BodyState ReleaseState(const ContactPoints& points,
                       const InclinedGround& ground, double height) {
  double lowest = points.empty() ? 0.0 : ground.HeightAbove(points[0].pos);
  for (const ContactPoint& p : points) {
    lowest = std::min(lowest, ground.HeightAbove(p.pos));
  }
  BodyState state;
  state.position.y = height - lowest;
  return state;
}

class Simulation {
 public:
  explicit Simulation(const DropSetup& setup)
      : setup_(setup), ground_(setup.slope) {
    active_ =
        setup.start == DropStart::kSwitch ? &setup.own_points : &setup.points;
    if (setup.start == DropStart::kRelease) {
      state_ = ReleaseState(*active_, ground_, setup.height);
    } else {
      // The host levels a landed vessel whatever the terrain, its CoG
      // above the terrain's height at the CoG's place, the origin.
      const auto placed =
          LandedPlacement(*active_, setup.body.mass, setup.gravity);
      state_ = placed ? *placed : ReleaseState(*active_, ground_, 0.0);
    }
  }

  DropResult Run() {
    energy_limit_ = EnergyLimit();
    double t = 0.0;
    // A vessel that a scenario lands is LANDED from the start; the hand-over
    // wakes it.
    bool landed = setup_.start == DropStart::kSwitch;
    // A frame that ends bit for bit where it started, as long as the frame
    // after it and on the same points, is the last that needs computing:
    // every frame after it ends there too.
    bool still = false;
    result_.history.push_back(SampleAt(t));
    for (long frame = 1;; ++frame) {
      if (!(t < setup_.seconds)) break;
      const double real = frame <= 3 ? 0.01 : FrameTime(setup_.fps);
      const double simdt = real * setup_.warp;
      const double frame_start = t;
      const BodyState start = state_;
      const int bounces = result_.bounces;
      if ((!landed || !setup_.freeze) && !still) state_ = Frame(simdt);
      t += simdt;
      // A vessel that spent the frame LANDED is not tested after it.
      const bool tested = !landed;
      result_.frames = frame;
      const double rate = Length(state_.rate);
      if (rate > kMaxRate) state_.rate = (kMaxRate / rate) * state_.rate;
      if (!landed && frame > 3 &&
          (setup_.start != DropStart::kSwitch || frame > setup_.switch_frame)) {
        still = still || (result_.bounces == bounces &&
                          std::memcmp(&start, &state_, sizeof start) == 0);
      }
      if (setup_.start == DropStart::kSwitch && frame == setup_.switch_frame) {
        active_ = &setup_.points;
        energy_limit_ = EnergyLimit();
        // The hand-over wakes a LANDED vessel with its body rate zero; its
        // test for rest starts again on the next frame in contact.
        if (landed) {
          state_.rate = {};
          detector_.Stop();
        }
        landed = false;
        result_.landed_at.reset();
      }
      if (Unbounded()) {
        unstable_ = true;
        result_.blew_up_at = t;
        result_.before_blow_up = start;
        break;
      }
      result_.history.push_back(SampleAt(t));
      const bool contact =
          SurfaceContact(*active_, setup_.body,
                         ground_.ViewFrom(state_.position, state_.attitude));
      if (tested && detector_.Sample(frame_start, state_, contact)) {
        landed = true;
        result_.landed_at = t;
      }
      if (tested) {
        result_.history.back().rest_test_start = detector_.started_at();
      }
      const bool switched =
          setup_.start != DropStart::kSwitch || frame >= setup_.switch_frame;
      if (landed && switched && setup_.freeze) break;
      if (switched && setup_.ends_early && setup_.ends_early(result_)) break;
    }
    result_.at_rest = landed;
    return Finish(t);
  }

 private:
  double EnergyLimit() const {
    const double m = setup_.body.mass;
    return Energy(*active_, setup_.body, setup_.gravity, ground_, state_) +
           0.05 * m * setup_.gravity * (std::max(setup_.height, 0.0) + 1.0);
  }

  bool Unbounded() const {
    if (!IsFinite(state_.position) || !IsFinite(state_.velocity) ||
        !IsFinite(state_.rate) || !IsFinite(state_.attitude.x) ||
        !IsFinite(state_.attitude.y) || !IsFinite(state_.attitude.z)) {
      return true;
    }
    if (Length(state_.velocity) > kUnboundedSpeed) return true;
    return !(Energy(*active_, setup_.body, setup_.gravity, ground_, state_) <=
             energy_limit_);
  }

  Motion MotionOf(bool contact) const {
    Motion motion;
    motion.points = active_;
    motion.body = setup_.body;
    motion.gravity = setup_.gravity;
    motion.ground = ground_;
    motion.contact = contact;
    return motion;
  }

  // The host's frame: with contact when a point touched at its start;
  // else without, and again with contact when a point then lies in the
  // ground, after capping the speed of descent at 0.1 m per sub-step.
  BodyState Frame(double simdt) {
    const Body& body = setup_.body;
    if (Touching(*active_, body, ground_, state_)) {
      return Integrate(state_, simdt, true);
    }
    // Only a frame that is kept counts for depths and bounces.
    const BodyState free = Integrate(state_, simdt, false);
    if (!Touching(*active_, body, ground_, free)) {
      touching_ = 0;
      return free;
    }
    BodyState start = state_;
    const double limit = -1.0 / simdt;
    if (start.velocity.y < limit) {
      start.velocity = (limit / start.velocity.y) * start.velocity;
    }
    return Integrate(start, simdt, true);
  }

  BodyState Integrate(BodyState state, double simdt, bool contact) {
    const Motion motion = MotionOf(contact);
    const double h = simdt / kSubSteps;
    for (int i = 0; i < kSubSteps; ++i) {
      state = Rkf78Step(motion, state, h);
      if (!contact) continue;
      result_.evaluations += kStages;
      Observe(state);
    }
    return state;
  }

  // Contact, bounces and depth after a sub-step.
  void Observe(const BodyState& state) {
    int touching = 0;
    const ContactInput in = ContactInputOf(ground_, state, 1.0);
    if (in.cog_height <= 2.0 * setup_.body.size) {
      for (const ContactPoint& p : *active_) {
        const double depth = DepthOf(p.pos, in);
        if (!(depth > 0.0)) continue;
        ++touching;
        result_.max_depth = std::max(result_.max_depth, depth);
      }
    }
    if (touching > 0) contacted_ = true;
    if (contacted_ && touching_ > 0 && touching == 0) ++result_.bounces;
    touching_ = touching;
  }

  DropResult Finish(double t) {
    result_.rest = state_;
    const bool frozen = result_.landed_at && setup_.freeze;
    result_.rest_sample = SampleAt(frozen ? *result_.landed_at : t);
    result_.tilt_deg = TiltDeg(state_, ground_.surface_normal());
    const ContactInput in = ContactInputOf(ground_, state_, 1.0);
    std::vector<double> forces;
    double total = 0.0;
    for (const ContactPoint& p : *active_) {
      const double depth = DepthOf(p.pos, in);
      double force = 0.0;
      if (depth > 0.0 && in.cog_height <= 2.0 * setup_.body.size) {
        const Vec3 v = in.velocity + Cross(p.pos, in.rate);
        force = p.stiffness * std::min(depth, kDepthCap);
        if (!result_.at_rest) force -= p.damping * Dot(v, in.up);
      }
      result_.points.push_back({depth, 0.0});
      forces.push_back(force);
      total += force;
    }
    bool finite = std::isfinite(result_.max_depth) &&
                  std::isfinite(result_.rest_sample.cog_height) &&
                  std::isfinite(result_.rest_sample.pitch_deg) &&
                  std::isfinite(result_.rest_sample.roll_deg);
    for (std::size_t i = 0; i < forces.size(); ++i) {
      result_.points[i].load_share = total > 0.0 ? forces[i] / total : 0.0;
      finite = finite && std::isfinite(result_.points[i].depth) &&
               std::isfinite(result_.points[i].load_share);
    }
    // A number that is not finite anywhere (a point at NaN, say) leaves the
    // host's sums without meaning as soon as it counts.
    result_.diverged = unstable_ || !finite;
    const std::vector<Verdict> faults = RunFaults(result_);
    result_.verdict = faults.empty() ? Verdict::kLands : faults.front();
    return result_;
  }

  // The frame's end: the attitude, and the CoG's height above the terrain
  // below it.
  DropSample SampleAt(double t) const {
    DropSample sample = Attitude(state_, t);
    sample.cog_height = ground_.HeightAbove(state_.position);
    sample.velocity = state_.velocity;
    return sample;
  }

  const DropSetup& setup_;
  const InclinedGround ground_;
  const ContactPoints* active_ = nullptr;
  BodyState state_;
  LandedDetector detector_;
  DropResult result_;
  double energy_limit_ = 0.0;
  int touching_ = 0;
  bool contacted_ = false;
  bool unstable_ = false;
};

}  // namespace

DropSample Attitude(const BodyState& state, double time) {
  const Rotation& r = state.attitude;
  DropSample sample;
  sample.time = time;
  sample.cog_height = state.position.y;
  sample.pitch_deg = Asin(std::clamp(r.z.y, -1.0, 1.0)) * kDeg;
  sample.roll_deg = Atan2(-r.x.y, r.y.y) * kDeg;
  return sample;
}

double TiltDeg(const BodyState& state, const Vec3& up) {
  return Acos(std::clamp(Dot(state.attitude.y, up), -1.0, 1.0)) * kDeg;
}

double FrameTime(double fps) { return std::min(1.0 / fps, 0.1); }

double SubStep(double fps, double warp) {
  return FrameTime(fps) * warp / kSubSteps;
}

DropResult RunDrop(const DropSetup& setup) { return Simulation(setup).Run(); }

}  // namespace physics
