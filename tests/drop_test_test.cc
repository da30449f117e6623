#include "physics/drop_test.h"

#include <gtest/gtest.h>

#include <cmath>

#include "physics/resting_load.h"
#include "physics/rkf78.h"
#include "physics/stability.h"
#include "physics/warp_steps.h"
#include "slope/creep.h"
#include "slope/freezing_slope.h"
#include "slope/tip_over.h"

namespace physics {
namespace {

ContactPoint Point(double x, double y, double z, double k, double c,
                   double mu = 0.0) {
  return {{x, y, z}, k, c, mu, mu};
}

DropSetup Vessel(const ContactPoints& points, double mass) {
  DropSetup setup;
  setup.points = points;
  setup.body.mass = mass;
  setup.body.inertia = {10, 10, 10};
  setup.body.size = 5;
  return setup;
}

constexpr double kDegree = 3.14159265358979323846 / 180;

// Three feet around the CoG, 2 m from it and 1 m below it, the nose
// forwards, every friction coefficient `mu`: a vessel for slopes.
DropSetup Tripod(double gravity, double mu, double k = 1e5) {
  const double c = 1e3, s = 1.7320508075688772;
  DropSetup setup =
      Vessel({Point(0, -1, 2, k, c, mu), Point(-s, -1, -1, k, c, mu),
              Point(s, -1, -1, k, c, mu)},
             1e3);
  setup.body.inertia = {2, 2, 2};
  setup.gravity = gravity;
  return setup;
}

// The host's settled creep, 10 (tan of the normal's tilt / mu)^2 (mm/s).
double CreepLaw(double kappa, double angle_deg, double mu) {
  const double ratio = kappa * std::tan(angle_deg * kDegree) / mu;
  return 1e4 * ratio * ratio;
}

// The CoG's height in the closed form of a damped vertical oscillation:
// m x'' = -K x - C x', released at rest with x(0) = x0.
double ClosedForm(double m, double k, double c, double x0, double t) {
  const double w0 = std::sqrt(k / m);
  const double zeta = c / (2 * std::sqrt(k * m));
  const double wd = w0 * std::sqrt(1 - zeta * zeta);
  return x0 * std::exp(-zeta * w0 * t) *
         (std::cos(wd * t) + zeta * w0 / wd * std::sin(wd * t));
}

TEST(DropTestTest, RestStateCarriesTheStaticLoads) {
  {
    // A symmetric set comes to rest compressed m g / sum k.
    const double k = 2e5, c = 0.95 * 2 * std::sqrt(k * 250);
    DropSetup setup = Vessel({Point(0, -2, 2, k, c), Point(-2, -2, 0, k, c),
                              Point(2, -2, 0, k, c), Point(0, -2, -2, k, c)},
                             1e3);
    const DropResult drop = RunDrop(setup);
    ASSERT_EQ(drop.verdict, Verdict::kLands);
    ASSERT_TRUE(drop.landed_at);
    const double expected = 1e3 * 9.81 / (4 * k);
    for (const PointRest& p : drop.points) {
      EXPECT_NEAR(p.depth, expected, 1e-6 * expected);
      EXPECT_NEAR(p.load_share, 0.25, 1e-6);
    }
    EXPECT_NEAR(drop.rest_sample.cog_height, 2 - expected, 1e-6 * expected);
    // Nearly critically damped, it neither bounces nor overshoots twice its
    // rest depth; a frame computed without contact and thrown away counts
    // for neither.
    EXPECT_EQ(drop.bounces, 0);
    EXPECT_GT(drop.max_depth, expected);
    EXPECT_LT(drop.max_depth, 0.3);
  }
  {
    // Three stiff points carry the barycentric shares of the CoG, here
    // 1/6, 1/3 and 1/2, with the gravity the setup gives.
    DropSetup setup =
        Vessel({Point(0, -1, 4, 1e7, 3e5), Point(-2, -1, -2, 1e7, 3e5),
                Point(4, -1, -2, 1e7, 3e5)},
               2e3);
    setup.gravity = 1.62;
    const DropResult drop = RunDrop(setup);
    ASSERT_EQ(drop.verdict, Verdict::kLands);
    // From x = 0, z = 0: z gives the nose 2/6; x then splits the rest.
    EXPECT_NEAR(drop.points[0].load_share, 1.0 / 3, 1e-4);
    EXPECT_NEAR(drop.points[1].load_share, 4.0 / 9, 1e-4);
    EXPECT_NEAR(drop.points[2].load_share, 2.0 / 9, 1e-4);
  }
  {
    // Four feet in an X, the CoG on the diagonal of the first three: the
    // feet share the load evenly, and the vessel stands level.
    const double k = 1e5;
    DropSetup setup = Vessel(
        {Point(1, -0.5, 1, k, 6e3, 0.5), Point(-1, -0.5, -1, k, 6e3, 0.5),
         Point(1, -0.5, -1, k, 6e3, 0.5), Point(-1, -0.5, 1, k, 6e3, 0.5)},
        40);
    setup.body.inertia = {0.3, 0.5, 0.3};
    const DropResult drop = RunDrop(setup);
    ASSERT_EQ(drop.verdict, Verdict::kLands);
    for (const PointRest& p : drop.points) {
      EXPECT_NEAR(p.load_share, 0.25, 1e-3);
    }
    EXPECT_NEAR(drop.rest_sample.pitch_deg, 0, 1e-3);
    EXPECT_NEAR(drop.rest_sample.roll_deg, 0, 1e-3);
  }
  {
    // The host's default points under 160 t pass the 1 m depth cap on the
    // way down, then rest half as deep: the vessel lands, it does not sink.
    DropSetup setup = Vessel(
        {Point(0, -2, 10, 1e6, 1e5, 0.5), Point(-3, -2, -5, 1e6, 1e5, 0.5),
         Point(3, -2, -5, 1e6, 1e5, 0.5)},
        1.6e5);
    setup.body.inertia = {15.5, 22.1, 7.7};
    const DropResult drop = RunDrop(setup);
    EXPECT_GT(drop.max_depth, 1);
    EXPECT_NEAR(drop.points[0].depth, 1.6e5 * 9.81 / 3e6, 1e-3);
    EXPECT_EQ(drop.verdict, Verdict::kLands);
  }
}

TEST(DropTestTest, VerticalOscillationMatchesTheClosedForm) {
  // Three points around the CoG, released 5 cm compressed: the CoG
  // oscillates about its rest height and never leaves the ground.
  const double m = 500, k = 4e4, c = 1.2e3;
  DropSetup setup =
      Vessel({Point(0, -1, 2, k, c), Point(-1.7320508, -1, -1, k, c),
              Point(1.7320508, -1, -1, k, c)},
             m);
  setup.height = -0.05;
  setup.seconds = 6;
  setup.fps = 1000;
  const DropResult drop = RunDrop(setup);
  const double rest = 1 - m * 9.81 / (3 * k);
  // Where the offset from rest crosses zero upwards, and how it shrinks
  // from one upward crossing to the next.
  std::vector<double> crossings;
  std::vector<double> peaks;
  double peak = 0;
  for (std::size_t i = 1; i < drop.history.size(); ++i) {
    const double a = drop.history[i - 1].cog_height - rest;
    const double b = drop.history[i].cog_height - rest;
    peak = std::max(peak, b);
    if (a < 0 && b >= 0) {
      const double ta = drop.history[i - 1].time, tb = drop.history[i].time;
      crossings.push_back(ta + (tb - ta) * (-a) / (b - a));
      peaks.push_back(peak);
      peak = 0;
    }
  }
  ASSERT_GE(crossings.size(), 4u);
  const double w0 = std::sqrt(3 * k / m);
  const double zeta = 3 * c / (2 * std::sqrt(3 * k * m));
  const double period = 2 * std::acos(-1.0) / (w0 * std::sqrt(1 - zeta * zeta));
  const double measured = (crossings[3] - crossings[0]) / 3;
  EXPECT_NEAR(measured, period, 0.005 * period);
  // One period shrinks the amplitude by exp(-zeta w0 T).
  const double decay = peaks[3] / peaks[2];
  EXPECT_NEAR(decay, std::exp(-zeta * w0 * period),
              0.005 * std::exp(-zeta * w0 * period));
}

TEST(DropTestTest, SchemeConservesEnergyAndHasItsOrder) {
  {
    // The nodes are the row sums of the coefficients, and the weights of
    // the eighth-order solution add up to 1.
    const Rkf78Tableau& t = Rkf78();
    double weights = 0;
    for (int i = 0; i < kStages; ++i) {
      double row = 0;
      for (int j = 0; j < i; ++j) row += t.a[i][j];
      EXPECT_NEAR(row, t.c[i], 1e-14) << "stage " << i + 1;
      weights += t.b[i];
    }
    EXPECT_NEAR(weights, 1, 1e-15);
  }
  {
    // Without damping and friction, an off-centre set that rocks and
    // bobs without leaving the ground keeps its energy.
    const double m = 800, k = 1e5;
    DropSetup setup = Vessel({Point(0, -2, 2, k, 0), Point(-3, -2, -2, k, 0),
                              Point(3, -2, -2, k, 0)},
                             m);
    setup.body.inertia = {6, 8, 4};
    setup.height = -0.05;
    setup.seconds = 10;
    const DropResult drop = RunDrop(setup);
    ASSERT_EQ(drop.bounces, 0);
    const auto energy = [&](const BodyState& s) {
      const Vec3& w = s.rate;
      const Vec3& i = setup.body.inertia;
      double e =
          0.5 * m * Dot(s.velocity, s.velocity) +
          0.5 * m * (i.x * w.x * w.x + i.y * w.y * w.y + i.z * w.z * w.z) +
          m * 9.81 * s.position.y;
      for (const ContactPoint& p : setup.points) {
        const double d =
            -(s.position.y + Dot(ToGround(s.attitude, p.pos), {0, 1, 0}));
        if (d > 0) e += 0.5 * p.stiffness * d * d;
      }
      return e;
    };
    BodyState start;
    start.position.y = 1.95;
    const double e0 = energy(start);
    EXPECT_GT(std::fabs(drop.rest_sample.pitch_deg), 1e-3) << "it rocks";
    EXPECT_NEAR(energy(drop.rest), e0, 1e-6 * e0);
  }
  {
    // Halving the step of a smooth case shrinks its error 256 times for an
    // eighth-order scheme; at least 200 times here. Frames of 10 ms, as
    // the first three are, and the warp sets the step.
    const double m = 100, k = 3e6, c = 2e3;
    const auto error = [&](double warp) {
      DropSetup setup =
          Vessel({Point(0, 0, 2, k, c), Point(-1.7320508075688772, 0, -1, k, c),
                  Point(1.7320508075688772, 0, -1, k, c)},
                 m);
      setup.fps = 100;
      setup.warp = warp;
      const double rest = -m * 9.81 / (3 * k);
      setup.height = 1.5 * rest;
      setup.seconds = 0.5;
      const DropResult drop = RunDrop(setup);
      const DropSample& last = drop.history.back();
      return std::fabs(last.cog_height - rest -
                       ClosedForm(m, 3 * k, 3 * c, 0.5 * rest, last.time));
    };
    const double coarse = error(3);
    const double fine = error(1.5);
    // Heights of 1e-4 m round at 1e-20 m.
    EXPECT_GT(fine, 1e-19) << "the errors lie above rounding";
    EXPECT_GT(coarse / fine, 200) << coarse << " then " << fine;
  }
}

TEST(DropTestTest, StabilityAndPlacement) {
  {
    // A stiff set, put down as landed on its first three points, turns
    // unstable at the warp where the scheme's stability boundary meets its
    // stiffest mode (here the vertical one).
    const double m = 1000, k = 2.5e6;
    const double c = 0.1 * 2 * std::sqrt(4 * k * m) / 4;
    DropSetup setup = Vessel({Point(0, -1, 2, k, c), Point(-2, -1, 0, k, c),
                              Point(2, -1, 0, k, c), Point(0, -1, -2, k, c)},
                             m);
    setup.start = DropStart::kLanded;
    const double estimate = LinearStableWarp(setup.points, setup.body, 60);
    const auto unstable = [&](double warp) {
      setup.warp = warp;
      return RunDrop(setup).verdict == Verdict::kUnstable;
    };
    double low = 0.5 * estimate, high = 1.5 * estimate;
    ASSERT_FALSE(unstable(low));
    ASSERT_TRUE(unstable(high));
    for (int i = 0; i < 12; ++i) {
      const double mid = 0.5 * (low + high);
      (unstable(mid) ? high : low) = mid;
    }
    EXPECT_NEAR(high, estimate, 0.1 * estimate);
    // The sweep of the steps a player can select lands at every step up to
    // the last one below that boundary, and stops at the next; shared out
    // among threads, it finds the same.
    const DroppedVessel vessel{setup.body, setup.points, 0};
    const WarpSweep sweep =
        SweepWarpSteps(vessel, setup.points, {}, false, nullptr, 1);
    ASSERT_TRUE(sweep.safe_warp);
    ASSERT_NE(sweep.Failure(), nullptr);
    EXPECT_EQ(*sweep.safe_warp, 20);
    EXPECT_LT(*sweep.safe_warp, high);
    EXPECT_EQ(sweep.Failure()->warp, 30);
    EXPECT_EQ(sweep.Failure()->landed, Verdict::kUnstable);
    ASSERT_EQ(sweep.steps.size(), 21u);
    EXPECT_EQ(sweep.steps[2].warp, 0.3);
    EXPECT_EQ(sweep.steps[10].warp, 2);
    const WarpSweep shared =
        SweepWarpSteps(vessel, setup.points, {}, false, nullptr, 3);
    ASSERT_EQ(shared.steps.size(), sweep.steps.size());
    for (std::size_t i = 0; i < sweep.steps.size(); ++i) {
      EXPECT_EQ(shared.steps[i].landed, sweep.steps[i].landed) << i;
    }
  }
  {
    // The host's default points in the wrong order: a landed placement
    // puts the vessel upside down, and it does not come up.
    DropSetup setup = Vessel(
        {Point(0, -2, 10, 1e6, 1e5, 0.5), Point(3, -2, -5, 1e6, 1e5, 0.5),
         Point(-3, -2, -5, 1e6, 1e5, 0.5)},
        1e4);
    const auto placed = LandedPlacement(setup.points, 1e4, 9.81);
    ASSERT_TRUE(placed);
    EXPECT_NEAR(TiltDeg(*placed), 180, 1e-9);
    setup.start = DropStart::kLanded;
    EXPECT_EQ(RunDrop(setup).verdict, Verdict::kTipsOver);
    // In the right order it lands where the placement put it.
    std::swap(setup.points[1], setup.points[2]);
    const DropResult upright = RunDrop(setup);
    EXPECT_EQ(upright.verdict, Verdict::kLands);
    EXPECT_NEAR(upright.rest_sample.cog_height,
                LandedPlacement(setup.points, 1e4, 9.81)->position.y, 1e-4);
    // Still from the start, it is LANDED at the end of the first frame
    // that starts more than 5 s after the first frame in contact started:
    // the host stamps a frame with its start time.
    double start = 0, end = 0;
    for (int frame = 1; start <= 5; ++frame) {
      start = end;
      end += frame <= 3 ? 0.01 : 1.0 / 60;
    }
    ASSERT_TRUE(upright.landed_at);
    EXPECT_DOUBLE_EQ(*upright.landed_at, end);
  }
  {
    // Own points too stiff for x30 hand over to soft ones: the vessel stays
    // LANDED on its own points until the hand-over wakes it, so only the
    // soft set is integrated, and it lands.
    DropSetup setup = Vessel(
        {Point(0, -1, 2, 1e5, 2e4, 0.5), Point(-2, -1, -1, 1e5, 2e4, 0.5),
         Point(2, -1, -1, 1e5, 2e4, 0.5)},
        1e3);
    setup.own_points = setup.points;
    for (ContactPoint& p : setup.own_points) p.stiffness = 1e8;
    setup.warp = 30;
    setup.start = DropStart::kLanded;
    std::swap(setup.points, setup.own_points);
    ASSERT_EQ(RunDrop(setup).verdict, Verdict::kUnstable);
    std::swap(setup.points, setup.own_points);
    EXPECT_EQ(RunDrop(setup).verdict, Verdict::kLands);
    setup.start = DropStart::kSwitch;
    setup.switch_frame = 10;
    const DropResult handed = RunDrop(setup);
    ASSERT_EQ(handed.verdict, Verdict::kLands);
    EXPECT_EQ(handed.history[8].cog_height, handed.history[0].cog_height);
  }
}

TEST(DropTestTest, SlopeSimulationCreepsAsTheHostsLawSays) {
  {
    // A slope of 0 degrees is flat ground to the last digit, whatever its
    // kappa and downhill direction.
    DropSetup flat = Tripod(9.81, 0.5);
    flat.points[2].pos.y = -1.1;
    DropSetup zero = flat;
    zero.slope = {0, 37, 2};
    const DropResult a = RunDrop(flat);
    const DropResult b = RunDrop(zero);
    ASSERT_EQ(a.history.size(), b.history.size());
    for (std::size_t i = 0; i < a.history.size(); ++i) {
      ASSERT_EQ(a.history[i].cog_height, b.history[i].cog_height) << i;
      ASSERT_EQ(a.history[i].pitch_deg, b.history[i].pitch_deg) << i;
      ASSERT_EQ(a.history[i].roll_deg, b.history[i].roll_deg) << i;
    }
    EXPECT_EQ(a.landed_at, b.landed_at);
  }
  {
    // On the Moon (kappa 2), nose downhill and then right side downhill,
    // every mu 0.5: the creep settles at the law's speed, along the axis
    // downhill, too fast for the host to freeze it.
    DropSetup setup = Tripod(1.6231, 0.5);
    setup.slope = {1, 0, 2};
    const slope::Creep nose = slope::CreepOnSlope(setup);
    const double law = CreepLaw(2, 1, 0.5);
    EXPECT_NEAR(nose.along_mm_s, law, 0.02 * law);
    EXPECT_NEAR(nose.across_mm_s, 0, 1e-3 * law);
    EXPECT_TRUE(nose.settled);
    EXPECT_FALSE(nose.landed_at_s);
    ASSERT_TRUE(nose.drift_per_hour_m);
    EXPECT_NEAR(*nose.drift_per_hour_m, 3.6 * law, 0.02 * 3.6 * law);
    setup.slope.downhill_deg = 90;
    const slope::Creep side = slope::CreepOnSlope(setup);
    EXPECT_NEAR(side.across_mm_s, law, 0.02 * law);
    EXPECT_NEAR(side.along_mm_s, 0, 1e-3 * law);
  }
  {
    // On Mars (kappa 1), 20 degrees, every mu 3: the same law; the points'
    // depths are vertical, so the CoG lies H / cos(a) - m g cos(a) / sum k
    // above the terrain below it, measured vertically.
    DropSetup setup = Tripod(3.7268, 3, 2e4);
    setup.slope = {20, 0, 1};
    const slope::Creep creep = slope::CreepOnSlope(setup);
    const double law = CreepLaw(1, 20, 3);
    EXPECT_NEAR(creep.along_mm_s, law, 0.02 * law);
    const DropResult drop = RunDrop(setup);
    const double cos_a = std::cos(20 * kDegree);
    EXPECT_NEAR(drop.rest_sample.cog_height,
                1 / cos_a - 1e3 * 3.7268 * cos_a / 6e4, 5e-4);
    EXPECT_EQ(drop.verdict, Verdict::kKeepsMoving);
  }
  {
    // Steeper than atan(mu / kappa) it slides without end: past 10 m/s,
    // where friction stops growing with the speed, and still faster.
    DropSetup setup = Tripod(3.7268, 0.5);
    setup.slope = {30, 0, 1};
    const slope::Creep creep = slope::CreepOnSlope(setup);
    EXPECT_FALSE(creep.unstable);
    EXPECT_TRUE(creep.slides);
    EXPECT_GT(creep.along_mm_s, 1e4);
    EXPECT_FALSE(creep.drift_per_hour_m);
  }
}

TEST(DropTestTest, SlopeSimulationFreezesBelowTheSamplingThreshold) {
  // The host's first sample after a reset covers T1, the first frame start
  // 0.1 s or more after it: 7 frames at 64 fps. A steady creep v passes
  // when v^2 T1 <= 1e-4, so with the law the vessel freezes up to
  // tan(a) = (mu / kappa) sqrt(0.01 / sqrt(T1) / 10). With mu 3 on Earth
  // the creep settles within a few frames, before the test can pass.
  DropSetup setup = Tripod(9.81, 3);
  setup.fps = 64;
  setup.seconds = 15;
  setup.slope.kappa = 2;
  const double t1 = 7 / 64.0;
  const double threshold =
      std::atan(1.5 * std::sqrt(0.001 / std::sqrt(t1))) / kDegree;
  const slope::FreezingSlope found = slope::SearchFreezingSlope(setup, 0.01);
  ASSERT_TRUE(found.slope_deg);
  EXPECT_NEAR(*found.slope_deg, threshold, found.step_deg);
  EXPECT_FALSE(found.steeper_than_tried);

  // The search ends a run once the vessel creeps too fast ever to come to
  // rest. The host's default points on the Moon, where the test's first
  // sample passes before the creep builds up and the vessel is frozen
  // while already creeping faster than that sample would let pass: the
  // slope found, and the steeper one that failed, give what drops of their
  // whole time (vantrel drop --slope) give.
  DropSetup lander;
  for (const Vec3& p : {Vec3{0, -2, 10}, Vec3{-3, -2, -5}, Vec3{3, -2, -5}}) {
    lander.points.push_back({p, 1e6, 1e5, 0.5, 0.1});
  }
  lander.body.mass = 1000;
  lander.body.inertia = {15.5, 22.1, 7.7};
  lander.body.size = 10;
  lander.gravity = 1.6231;
  lander.slope.kappa = 1;
  const slope::FreezingSlope moon = slope::SearchFreezingSlope(lander, 0.05);
  ASSERT_TRUE(moon.slope_deg && moon.fails_deg);
  EXPECT_LE(*moon.fails_deg - *moon.slope_deg, moon.step_deg);
  lander.slope.angle_deg = *moon.slope_deg;
  EXPECT_TRUE(RunDrop(lander).landed_at) << lander.slope.angle_deg;
  lander.slope.angle_deg = *moon.fails_deg;
  EXPECT_FALSE(RunDrop(lander).landed_at) << lander.slope.angle_deg;
}

TEST(DropTestTest, SlopeTipOverFollowsTheSupportPolygon) {
  // Three feet on a circle of radius 2 around the CoG, 2 m below it, and a
  // point on top that is no foot. Nose downhill the CoG's projection
  // reaches the nose foot at tan(a) = 2 / 2; tail downhill the rear edge,
  // 1 m behind, at tan(a) = 1 / 2, the least of all directions.
  const double s = 1.7320508075688772;
  const ContactPoints points = {
      Point(0, -2, 2, 1e5, 0), Point(-s, -2, -1, 1e5, 0),
      Point(s, -2, -1, 1e5, 0), Point(0, 1, 0, 1e5, 0)};
  const slope::TipOver nose = slope::TipOverSlope(points, 0);
  ASSERT_TRUE(nose.stands);
  EXPECT_EQ(nose.feet, 3);
  EXPECT_NEAR(nose.slope_deg, 45, 1e-9);
  EXPECT_NEAR(nose.worst_slope_deg, std::atan(0.5) / kDegree, 1e-9);
  const slope::TipOver tail = slope::TipOverSlope(points, 180);
  EXPECT_NEAR(tail.slope_deg, std::atan(0.5) / kDegree, 1e-9);
  // Right side downhill: the front-right edge, 1 m out, at 30 degrees
  // from the ray.
  const slope::TipOver side = slope::TipOverSlope(points, 90);
  EXPECT_NEAR(side.slope_deg,
              std::atan(1 / std::cos(30 * kDegree) / 2) / kDegree, 1e-9);
}

}  // namespace
}  // namespace physics
