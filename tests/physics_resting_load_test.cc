#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "physics/drop_test.h"
#include "physics/resting_load.h"

namespace physics {
namespace {

ContactPoint FrictionlessPoint(double x, double y, double z, double k,
                               double c) {
  return {{x, y, z}, k, c, 0.0, 0.0};
}

TEST(RestingLoadTest, LoadsBalanceForcesAndMoments) {
  // Nose 4 m ahead, mains 2 m behind: the nose carries 2/6 of the weight.
  const ContactPoints points = {FrictionlessPoint(0, -2, 4, 1e5, 2e4),
                                FrictionlessPoint(-3, -2, -2, 2e5, 2e4),
                                FrictionlessPoint(3, -2, -2, 2e5, 2e4)};
  const RestingLoad load = ComputeRestingLoad(points, 1000, 9.81);
  ASSERT_EQ(load.outcome, RestingLoad::Outcome::kStands);
  const double weight = 1000 * 9.81;
  EXPECT_NEAR(load.contacts[0].force, weight / 3, 1e-9);
  EXPECT_NEAR(load.contacts[1].force, weight / 3, 1e-9);
  EXPECT_NEAR(load.contacts[0].compression, weight / 3 / 1e5, 1e-12);
  EXPECT_NEAR(load.contacts[0].origin_height, 2 - weight / 3 / 1e5, 1e-12);
  // zeta = c / (2 sqrt(k m)), m = 1000 / 3 kg on each point.
  EXPECT_NEAR(load.contacts[1].damping_ratio,
              2e4 / (2 * std::sqrt(2e5 * 1000 / 3.0)), 1e-12);

  // An off-centre triangle: nose 6 m ahead, mains 2 m behind.
  const RestingLoad skewed =
      ComputeRestingLoad({FrictionlessPoint(0, -1, 6, 1e5, 0),
                          FrictionlessPoint(-1, -1, -2, 1e5, 0),
                          FrictionlessPoint(3, -1, -2, 1e5, 0)},
                         100, 9.81);
  double sum = 0, moment_x = 0, moment_z = 0;
  const double xs[] = {0, -1, 3}, zs[] = {6, -2, -2};
  for (int i = 0; i < 3; ++i) {
    sum += skewed.contacts[i].force;
    moment_x += skewed.contacts[i].force * xs[i];
    moment_z += skewed.contacts[i].force * zs[i];
  }
  EXPECT_NEAR(sum, 981, 1e-9);
  EXPECT_NEAR(moment_x, 0, 1e-9);
  EXPECT_NEAR(moment_z, 0, 1e-9);
}

TEST(RestingLoadTest, TippingAndDegenerateTriangles) {
  // The centre of mass lies behind the triangle.
  EXPECT_EQ(ComputeRestingLoad({FrictionlessPoint(0, -1, 6, 1, 1),
                                FrictionlessPoint(-1, -1, 2, 1, 1),
                                FrictionlessPoint(1, -1, 2, 1, 1)},
                               10, 9.81)
                .outcome,
            RestingLoad::Outcome::kTips);
  // Seen from above the points lie in a line, though not from the side:
  // the host puts such a vessel down on its side.
  const auto side = LandedPlacement(
      {FrictionlessPoint(0, -1, 2, 1e6, 1), FrictionlessPoint(0, -2, 0, 1e6, 1),
       FrictionlessPoint(0, -1, -2, 1e6, 1)},
      10, 9.81);
  ASSERT_TRUE(side);
  EXPECT_NEAR(TiltDeg(*side), 90, 0.1);
  EXPECT_EQ(ComputeRestingLoad({FrictionlessPoint(NAN, -1, 2, 1, 1),
                                FrictionlessPoint(1, -1, 0, 1, 1),
                                FrictionlessPoint(0, -1, -2, 1, 1)},
                               10, 9.81)
                .outcome,
            RestingLoad::Outcome::kNoTriangle);
}

}  // namespace
}  // namespace physics
