#include "drop_test.h"

#include <algorithm>
#include <cmath>

#include "contact_forces.h"
#include "landed_detector.h"
#include "portable_math.h"
#include "resting_load.h"
#include "rkf78.h"

namespace physics {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDeg = 180.0 / kPi;
constexpr int kSubSteps = 10;
constexpr double kMaxRate = 100.0 * kPi;  // rad/s, after each frame
constexpr double kUnboundedSpeed = 1e4;   // m/s
constexpr double kUprightDeg = 30.0;

ContactInput InputOf(const BodyState& state, double step) {
  return {GroundUp(state), state.position.y,
          ToVessel(state.attitude, state.velocity), state.rate, step};
}

// Whether the host feels the ground for this state.
bool Touching(const ContactPoints& points, const Body& body,
              const BodyState& state) {
  if (state.position.y > 2.0 * body.size) return false;
  const ContactInput in = InputOf(state, 1.0);
  for (const ContactPoint& p : points) {
    if (DepthOf(p.pos, in) > 0.0) return true;
  }
  return false;
}

// Kinetic, gravitational and spring energy (J); the host's forces other than
// the springs only take energy away.
double Energy(const ContactPoints& points, const Body& body, double gravity,
              const BodyState& state) {
  const double m = body.mass;
  const Vec3& w = state.rate;
  const Vec3& i = body.inertia;
  double energy =
      0.5 * m * Dot(state.velocity, state.velocity) +
      0.5 * m * (i.x * w.x * w.x + i.y * w.y * w.y + i.z * w.z * w.z) +
      m * gravity * state.position.y;
  if (state.position.y > 2.0 * body.size) return energy;
  const ContactInput in = InputOf(state, 1.0);
  for (const ContactPoint& p : points) {
    const double d = DepthOf(p.pos, in);
    if (!(d > 0.0)) continue;
    const double held = std::min(d, kDepthCap);
    energy += p.stiffness * (0.5 * held * held + (d - held) * kDepthCap);
  }
  return energy;
}

BodyState ReleaseState(const ContactPoints& points, double height) {
  double lowest = points.empty() ? 0.0 : points[0].pos.y;
  for (const ContactPoint& p : points) lowest = std::min(lowest, p.pos.y);
  BodyState state;
  state.position.y = height - lowest;
  return state;
}

class Simulation {
 public:
  explicit Simulation(const DropSetup& setup) : setup_(setup) {
    active_ =
        setup.start == DropStart::kSwitch ? &setup.own_points : &setup.points;
    if (setup.start == DropStart::kRelease) {
      state_ = ReleaseState(*active_, setup.height);
    } else {
      const auto placed =
          LandedPlacement(*active_, setup.body.mass, setup.gravity);
      state_ = placed ? *placed : ReleaseState(*active_, 0.0);
    }
  }

  DropResult Run() {
    energy_limit_ = EnergyLimit();
    detector_.Reset(0.0, state_);
    double t = 0.0;
    bool landed = false;
    for (long frame = 1;; ++frame) {
      if (!(t < setup_.seconds) && frame > setup_.min_frames) break;
      // The host caps the real frame time at 0.1 s; its first three frames
      // take 10 ms.
      const double real = frame <= 3 ? 0.01 : std::min(1.0 / setup_.fps, 0.1);
      const double simdt = real * setup_.warp;
      if (!landed) state_ = Frame(simdt);
      t += simdt;
      result_.frames = frame;
      const double rate = Length(state_.rate);
      if (rate > kMaxRate) state_.rate = (kMaxRate / rate) * state_.rate;
      if (setup_.start == DropStart::kSwitch && frame == setup_.switch_frame) {
        active_ = &setup_.points;
        energy_limit_ = EnergyLimit();
        // The hand-over wakes a LANDED vessel with its body rate zero.
        if (landed) state_.rate = {};
        landed = false;
        result_.landed_at.reset();
        detector_.Reset(t, state_);
      }
      if (Unbounded()) {
        unstable_ = true;
        break;
      }
      result_.history.push_back(Attitude(state_, t));
      if (!landed && detector_.Sample(t, state_, touching_ > 0)) {
        landed = true;
        result_.landed_at = t;
      }
      const bool switched =
          setup_.start != DropStart::kSwitch || frame >= setup_.switch_frame;
      if (landed && switched) break;
    }
    result_.at_rest = landed;
    return Finish(t);
  }

 private:
  double EnergyLimit() const {
    const double m = setup_.body.mass;
    return Energy(*active_, setup_.body, setup_.gravity, state_) +
           0.05 * m * setup_.gravity * (std::max(setup_.height, 0.0) + 1.0);
  }

  bool Unbounded() const {
    if (!IsFinite(state_.position) || !IsFinite(state_.velocity) ||
        !IsFinite(state_.rate) || !IsFinite(state_.attitude.x) ||
        !IsFinite(state_.attitude.y) || !IsFinite(state_.attitude.z)) {
      return true;
    }
    if (Length(state_.velocity) > kUnboundedSpeed) return true;
    return !(Energy(*active_, setup_.body, setup_.gravity, state_) <=
             energy_limit_);
  }

  Motion MotionOf(bool contact) const {
    Motion motion;
    motion.points = active_;
    motion.body = setup_.body;
    motion.gravity = setup_.gravity;
    motion.contact = contact;
    return motion;
  }

  // The host's frame: with contact when a point touched at its start;
  // else without, and again with contact when a point then lies in the
  // ground, after capping the speed of descent at 0.1 m per sub-step.
  BodyState Frame(double simdt) {
    const Body& body = setup_.body;
    if (Touching(*active_, body, state_)) return Integrate(state_, simdt, true);
    // Only a frame that is kept counts for depths and bounces.
    const BodyState free = Integrate(state_, simdt, false);
    if (!Touching(*active_, body, free)) {
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
    if (state.position.y <= 2.0 * setup_.body.size) {
      const ContactInput in = InputOf(state, 1.0);
      for (const ContactPoint& p : *active_) {
        const double depth = DepthOf(p.pos, in);
        if (!(depth > 0.0)) continue;
        ++touching;
        result_.max_depth = std::max(result_.max_depth, depth);
        if (depth >= kDepthCap) sank_ = true;
      }
    }
    if (touching > 0) contacted_ = true;
    if (contacted_ && touching_ > 0 && touching == 0) ++result_.bounces;
    touching_ = touching;
  }

  DropResult Finish(double t) {
    result_.rest = state_;
    result_.rest_sample = Attitude(state_, result_.landed_at.value_or(t));
    const bool upright = TiltDeg(state_) <= kUprightDeg;
    if (unstable_) {
      result_.verdict = Verdict::kUnstable;
    } else if (sank_) {
      result_.verdict = Verdict::kSinks;
    } else if (!upright) {
      result_.verdict = Verdict::kTipsOver;
    } else {
      result_.verdict =
          result_.at_rest ? Verdict::kLands : Verdict::kKeepsMoving;
    }
    const ContactInput in = InputOf(state_, 1.0);
    std::vector<double> forces;
    double total = 0.0;
    for (const ContactPoint& p : *active_) {
      const double depth = DepthOf(p.pos, in);
      double force = 0.0;
      if (depth > 0.0 && state_.position.y <= 2.0 * setup_.body.size) {
        const Vec3 v = in.velocity + Cross(p.pos, in.rate);
        force = p.stiffness * std::min(depth, kDepthCap) -
                p.damping * Dot(v, in.up);
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
    if (!finite) result_.verdict = Verdict::kUnstable;
    return result_;
  }

  const DropSetup& setup_;
  const ContactPoints* active_ = nullptr;
  BodyState state_;
  LandedDetector detector_;
  DropResult result_;
  double energy_limit_ = 0.0;
  int touching_ = 0;
  bool contacted_ = false;
  bool sank_ = false;
  bool unstable_ = false;
};

}  // namespace

const char* VerdictName(Verdict verdict) {
  switch (verdict) {
    case Verdict::kLands:
      return "lands";
    case Verdict::kTipsOver:
      return "tips-over";
    case Verdict::kSinks:
      return "sinks";
    case Verdict::kUnstable:
      return "unstable";
    case Verdict::kKeepsMoving:
      break;
  }
  return "keeps-moving";
}

DropSample Attitude(const BodyState& state, double time) {
  const Rotation& r = state.attitude;
  DropSample sample;
  sample.time = time;
  sample.cog_height = state.position.y;
  sample.pitch_deg = Asin(std::clamp(r.z.y, -1.0, 1.0)) * kDeg;
  sample.roll_deg = Atan2(-r.x.y, r.y.y) * kDeg;
  return sample;
}

double TiltDeg(const BodyState& state) {
  return Acos(std::clamp(state.attitude.y.y, -1.0, 1.0)) * kDeg;
}

DropResult RunDrop(const DropSetup& setup) { return Simulation(setup).Run(); }

}  // namespace physics
