// The reals of a POINT item are read as the C standard's "%lf" reads them,
// correctly rounded, and logged with "%.3f", alike on every build whatever
// C library it links: nan, inf, hex floats, out-of-range values, and numbers
// cut short, which C libraries read differently. The expected texts and
// values are written out here rather than computed with the runtime under
// test.
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

TEST_F(PointRealsTest, NumbersCutShortEndThePointOnEveryBuild) {
  // glibc and MinGW read "-1e" as -1 and go on; the C standard, and the
  // module, take the whole item "-1e", which is no number, and stop there.
  // Point 1 gives its springs and friction, so nothing is completed.
  folder.WriteDefinition("Cut.cfg",
                         "N = 9\n"
                         "POINT_1 = 1 2 3 nan(ab_1) 5 6 7\n"
                         "POINT_2 = 1 -1e 3 4 5 6 7\n"
                         "POINT_3 = 1 2 1e+ 4\n"
                         "POINT_4 = 1 0x 3\n"
                         "POINT_5 = 1 2 3 infinit 5\n"
                         "POINT_6 = 1 2 3 nan(ab 5\n"
                         "POINT_7 = 1 - 3\n"
                         "POINT_8 = 1 2 3 100ergs 5\n"
                         "POINT_9 = 1 2 3e5e 4\n");
  standin::SimObject& vessel = AddVessel("Cut", "None");
  module.UpdateVessel(&vessel);

  ASSERT_EQ(vessel.touchdown.size(), 9u);
  const auto& points = vessel.touchdown;
  EXPECT_THAT(points[0], SameVertex(Vertex(1, 2, 3, kNaN, 5, 6, 7)))
      << "nan(n-chars) is one number, and the reading goes on";
  EXPECT_THAT(points[1], SameVertex(Vertex(1, 0, 0, 0, 0, 0, 0))) << "-1e";
  EXPECT_THAT(points[2], SameVertex(Vertex(1, 2, 0, 0, 0, 0, 0))) << "1e+";
  EXPECT_THAT(points[3], SameVertex(Vertex(1, 0, 0, 0, 0, 0, 0))) << "0x";
  EXPECT_THAT(points[4], SameVertex(Vertex(1, 2, 3, 0, 0, 0, 0))) << "infinit";
  EXPECT_THAT(points[5], SameVertex(Vertex(1, 2, 3, 0, 0, 0, 0))) << "nan(ab";
  EXPECT_THAT(points[6], SameVertex(Vertex(1, 0, 0, 0, 0, 0, 0))) << "-";
  EXPECT_THAT(points[7], SameVertex(Vertex(1, 2, 3, 0, 0, 0, 0))) << "100ergs";
  EXPECT_THAT(points[8], SameVertex(Vertex(1, 2, 3e5, 0, 0, 0, 0)))
      << "a whole number, then an \"e\" that starts none";
  ExpectHostClean();
}

TEST_F(PointRealsTest, NumbersAreCorrectlyRoundedOnEveryBuild) {
  // MinGW's C library rounds the last three of these one unit off.
  folder.WriteDefinition(
      "Round.cfg",
      "N = 3\n"
      "POINT_1 = 9007199254740993 0x1.00000000000008p0 "
      "0x1.000000000000081p0 1 1 2.4703282292062328e-324 "
      "2.4703282292062327e-324\n"
      "POINT_2 = 0x1p-1074 0x1.8p-1075 -1e-400 1 1 "
      "9007199254740993.0000000000000000001 0x1.fffffffffffff7ffp1023\n"
      "POINT_3 = 0x1.fffffffffffff8p1023 1.7976931348623159e308 "
      "1.7976931348623158e308 1 1 "
      "1.00000000000000011102230246251565404236316680908203126 "
      "0x1p-1075\n");
  standin::SimObject& vessel = AddVessel("Round", "None");
  module.UpdateVessel(&vessel);

  ASSERT_EQ(vessel.touchdown.size(), 3u);
  constexpr double kTiny = 0x1p-1074;
  constexpr double kMax = 0x1.fffffffffffffp1023;
  {
    SCOPED_TRACE("ties to even, just above a tie, the smallest subnormal");
    EXPECT_THAT(vessel.touchdown[0],
                SameVertex(Vertex(0x1p53, 1.0, 0x1.0000000000001p0, 1.0, 1.0,
                                  kTiny, 0.0)));
  }
  {
    SCOPED_TRACE("subnormals, -0, above a tie, just below overflow");
    EXPECT_THAT(
        vessel.touchdown[1],
        SameVertex(Vertex(kTiny, kTiny, -0.0, 1.0, 1.0, 0x1p53 + 2.0, kMax)));
    EXPECT_TRUE(std::signbit(vessel.touchdown[1].pos.z));
  }
  {
    SCOPED_TRACE("overflow at half a unit past the largest");
    EXPECT_THAT(vessel.touchdown[2],
                SameVertex(Vertex(kInf, kInf, kMax, 1.0, 1.0,
                                  0x1.0000000000001p0, 0.0)));
  }
  ExpectHostClean();
}

}  // namespace
