// The reals of a POINT item are read with C99 "%lf" semantics and logged
// with "%.3f" on every build: the MinGW build must read nan, inf, hex floats
// and out-of-range values as glibc does, which the default Windows C
// runtime does not. The expected texts and values are written out here
// rather than computed with the runtime under test.
#include <cmath>
#include <limits>
#include <string>

#include "module_fixture.h"

namespace {

using ::testing::ElementsAre;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

class PointRealsTest : public ModuleTest {};

TEST_F(PointRealsTest, SpecialRealsAreReadAndLoggedAlikeOnEveryBuild) {
  folder.WriteDefinition("Odd.cfg",
                         "N = 4\n"
                         "POINT_1 = nan -0 0x1.8p1 inf 1e400 -inf 1.5abc\n"
                         "POINT_2 = INF NaN -0x1p-2 1e-400 0X10 +1 2.5e-1\n"
                         "POINT_3 = 1.5abc 2 3 4 5 6 7\n"
                         "POINT_4 = -1e400 .5 5. 1e-320 -.5e1 0x.8 9\n");
  standin::SimObject& vessel = AddVessel("Odd", "None");
  module.UpdateVessel(&vessel);

  ASSERT_EQ(vessel.touchdown.size(), 4u);
  {
    SCOPED_TRACE("nan, -0, a hex float, inf, overflow, -inf, a tail");
    EXPECT_THAT(vessel.touchdown[0],
                SameVertex(Vertex(kNaN, -0.0, 3.0, kInf, kInf, -kInf, 1.5)));
    EXPECT_FALSE(std::signbit(vessel.touchdown[0].pos.x)) << "nan is +nan";
  }
  {
    SCOPED_TRACE("any case, a negative hex float, underflow, a sign");
    EXPECT_THAT(vessel.touchdown[1],
                SameVertex(Vertex(kInf, kNaN, -0.25, 0.0, 16.0, 1.0, 0.25)));
  }
  {
    SCOPED_TRACE("a real with a tail ends the point: the rest stay 0");
    EXPECT_THAT(vessel.touchdown[2],
                SameVertex(Vertex(1.5, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0)));
  }
  {
    SCOPED_TRACE("negative overflow, bare points, a subnormal");
    EXPECT_THAT(vessel.touchdown[3],
                SameVertex(Vertex(-kInf, 0.5, 5.0, 1e-320, -5.0, 0.5, 0.5)));
  }
  EXPECT_THAT(
      UpdateLog(),
      ElementsAre("Vantrel: Vessel Definition found for name Odd",
                  "point1 : nan -0.000 3.000 inf inf -inf 1.500",
                  "point2 : inf nan -0.250 0.000 16.000 1.000 0.250",
                  "point3 : 1.500 0.000 0.000 0.000 0.000 0.000 0.000",
                  "point4 : -inf 0.500 5.000 0.000 -5.000 0.500 0.500"));
  ExpectHostClean();
}

}  // namespace
