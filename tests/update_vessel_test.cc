// Updating one vessel: the lookup by name and class, completion of the
// springs and friction, the hand-over to the host and the log.
#include <cmath>
#include <limits>
#include <string>

#include "module_fixture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

class UpdateVesselTest : public ModuleTest {
 protected:
  // Writes a three-point file for `key` whose first point carries `first`.
  void WriteThreePoints(const std::string& file_name,
                        const std::string& first) {
    folder.WriteDefinition(file_name, "N = 3\nPOINT_1 = " + first +
                                          "\nPOINT_2 = -3 -2 -5 4 5 6 7\n"
                                          "POINT_3 = 3 -2 -5 4 5 6 7\n");
  }

  // The vertices a vessel with `mass` gets from a file with these points.
  std::vector<TOUCHDOWNVTX> Apply(const std::string& points, double mass) {
    const std::string name = "V" + std::to_string(count_++);
    folder.WriteDefinition(name + ".cfg", points);
    standin::SimObject& vessel = AddVessel(name, "None", mass);
    module.UpdateVessel(&vessel);
    EXPECT_EQ(vessel.touchdown_sets, 1);
    return vessel.touchdown;
  }

 private:
  int count_ = 0;
};

TEST_F(UpdateVesselTest, TheClassFileServesAVesselWithoutAFileOfItsOwn) {
  WriteThreePoints("Lander.cfg", "0 -2 10 1e6 1e5 0.5 0.1");
  standin::SimObject& probe = AddVessel("Probe-1", "Lander");
  module.UpdateVessel(&probe);

  EXPECT_THAT(UpdateLog(),
              ElementsAre("Vantrel: No TD Pts Override for: Probe-1",
                          "Vantrel: Vessel Definition found for class Lander",
                          "point1 : 0.000 -2.000 10.000 1000000.000 "
                          "100000.000 0.500 0.100",
                          "point2 : -3.000 -2.000 -5.000 4.000 5.000 6.000 "
                          "7.000",
                          "point3 : 3.000 -2.000 -5.000 4.000 5.000 6.000 "
                          "7.000"));
  ASSERT_EQ(probe.touchdown.size(), 3u);
  EXPECT_THAT(probe.touchdown[0],
              SameVertex(Vertex(0, -2, 10, 1e6, 1e5, 0.5, 0.1)));
  ExpectHostClean();
}

TEST_F(UpdateVesselTest, AVesselWithNoFileKeepsItsPoints) {
  standin::SimObject& rover = AddVessel("Rover-7", "Buggy");
  module.UpdateVessel(&rover);
  EXPECT_THAT(UpdateLog(),
              ElementsAre("Vantrel: No TD Pts Override for: Rover-7",
                          "Vantrel: No TD Pts Override for: Buggy"));
  EXPECT_EQ(rover.touchdown_sets, 0);
  EXPECT_THAT(
      rover.touchdown,
      ElementsAreArray({SameVertex(vessel::DefaultTouchdownPoints()[0]),
                        SameVertex(vessel::DefaultTouchdownPoints()[1]),
                        SameVertex(vessel::DefaultTouchdownPoints()[2])}));
  ExpectHostClean();
}

TEST_F(UpdateVesselTest, TheNameFileComesFirstWhenItCounts) {
  WriteThreePoints("Eagle.cfg", "1 1 1 1 1 1 1");
  WriteThreePoints("Lander.cfg", "2 2 2 2 2 2 2");
  folder.WriteDefinition("Short.cfg", "N = 2\nPOINT_1 = 9 9 9 9 9 9 9\n");

  {
    SCOPED_TRACE("the name file counts: the class is never read");
    standin::SimObject& eagle = AddVessel("Eagle", "Lander");
    module.UpdateVessel(&eagle);
    EXPECT_EQ(session.files().total_opened(), 1u);
    EXPECT_EQ(UpdateLog().at(0),
              "Vantrel: Vessel Definition found for name Eagle");
    EXPECT_EQ(UpdateLog().size(), 4u);
    EXPECT_EQ(eagle.touchdown[0].pos.x, 1.0);
  }
  {
    SCOPED_TRACE("a name file with two points: the class applies, silently");
    standin::SimObject& shorter = AddVessel("Short", "Lander");
    module.UpdateVessel(&shorter);
    EXPECT_EQ(UpdateLog().at(4),
              "Vantrel: Vessel Definition found for class Lander");
    EXPECT_EQ(UpdateLog().size(), 8u);
    EXPECT_EQ(shorter.touchdown[0].pos.x, 2.0);
  }
  ExpectHostClean();
}

TEST_F(UpdateVesselTest, SpringsAreCompletedFromTheMassOnTheFirstPoint) {
  {
    SCOPED_TRACE("mass 100, no stiffness: k = 981 and c = 595.097");
    const auto points = Apply(
        "N = 3\nPOINT_1 = 0 -2.5 10 0 0 0 0\nPOINT_2 = 1 1 1 7 8 0.5 0.5\n"
        "POINT_3 = 2 2 2 7 8 0.5 0.5\n",
        100.0);
    // One point carrying the whole mass: it oscillates at sqrt(g) rad/s
    // (k / m = 9.81) and is damped at 0.95 of critical, c / (2 sqrt(k m)).
    const TOUCHDOWNVTX& first = points[0];
    EXPECT_NEAR(first.stiffness / 100.0, 9.81, 1e-12);
    EXPECT_NEAR(first.damping / (2.0 * std::sqrt(first.stiffness * 100.0)),
                0.95, 1e-12);
    EXPECT_THAT(first,
                SameVertex(Vertex(0, -2.5, 10, 981, first.damping, 3, 3)));
    for (const TOUCHDOWNVTX& point : points) {
      EXPECT_EQ(point.stiffness, 981.0) << "overwritten on every point";
      EXPECT_EQ(point.damping, first.damping);
      EXPECT_EQ(point.mu, 3.0);
    }
    EXPECT_EQ(UpdateLog().at(1),
              "point1 : 0.000 -2.500 10.000 981.000 595.097 3.000 3.000");
  }
  {
    SCOPED_TRACE("mass 0, no damping");
    const auto points = Apply("N = 3\nPOINT_1 = 0 0 0 5e5 0 1 1\n", 0.0);
    EXPECT_EQ(points[2].stiffness, 0.0);
    EXPECT_EQ(points[2].damping, 0.0);
  }
  {
    SCOPED_TRACE("a negative mass is handed on as it comes");
    const auto points = Apply("N = 3\nPOINT_1 = 0 0 0 0 0 1 1\n", -100.0);
    EXPECT_EQ(points[1].stiffness, -981.0);
    EXPECT_NEAR(points[1].damping, 595.097, 0.0005);
  }
  {
    SCOPED_TRACE("-0 counts as zero");
    const auto points = Apply("N = 3\nPOINT_1 = 0 0 0 -0 5 1 1\n", 100.0);
    EXPECT_EQ(points[0].stiffness, 981.0);
  }
  {
    SCOPED_TRACE("a NaN damping counts as set");
    const auto points = Apply(
        "N = 3\nPOINT_1 = 0 0 0 5e5 nan 1 1\nPOINT_2 = 0 0 0 0 0 1 1\n", 100.0);
    EXPECT_EQ(points[0].stiffness, 5e5);
    EXPECT_TRUE(std::isnan(points[0].damping));
    EXPECT_EQ(points[1].stiffness, 0.0);
  }
  {
    SCOPED_TRACE("set on the first point: later zeros stay");
    const auto points = Apply(
        "N = 3\nPOINT_1 = 0 0 0 5e5 1e4 0.8 0.8\nPOINT_2 = 0 0 0 0 0 0 0\n",
        100.0);
    EXPECT_THAT(points[1], SameVertex(Vertex(0, 0, 0, 0, 0, 0, 0)));
  }
  ExpectHostClean();
}

TEST_F(UpdateVesselTest, FrictionIsCompletedFromTheFirstPointsLateralValue) {
  {
    SCOPED_TRACE("lateral 0 on the first point: 3.0 everywhere");
    const auto points = Apply(
        "N = 4\nPOINT_1 = 0 0 0 1 1 0 0.4\nPOINT_2 = 0 0 0 1 1 0.2 0.2\n"
        "POINT_3 = 0 0 0 1 1 0.3 0.3\nPOINT_4 = 0 0 0 1 1 0.5\n",
        100.0);
    for (const TOUCHDOWNVTX& point : points) {
      EXPECT_EQ(point.mu, 3.0);
      EXPECT_EQ(point.mu_lng, 3.0);
    }
  }
  {
    SCOPED_TRACE("lateral 0.8, longitudinal 0: nothing is completed");
    const auto points = Apply(
        "N = 3\nPOINT_1 = 0 0 0 1 1 0.8 0\nPOINT_2 = 0 0 0 1 1 0 0\n", 100.0);
    EXPECT_EQ(points[0].mu_lng, 0.0);
    EXPECT_EQ(points[1].mu, 0.0);
  }
  ExpectHostClean();
}

// A key of `length` characters made of short folder names, so that its file
// can exist on any file system: "kkkkkkkk\\kkkkkkkk\\...".
std::string LongKey(std::size_t length) {
  std::string key;
  while (key.size() < length) key += key.size() % 9 == 8 ? '\\' : 'k';
  if (key.back() == '\\') key.back() = 'k';
  return key;
}

// The file of a key under Config/Vantrel, with '/' between folders.
std::string FileOf(std::string key) {
  for (char& c : key) {
    if (c == '\\') c = '/';
  }
  return key + ".cfg";
}

TEST_F(UpdateVesselTest, ClassNamesThatCannotBeLookedUpAreSkipped) {
  {
    SCOPED_TRACE("255 characters fit the buffer");
    folder.WriteDefinition(FileOf(LongKey(255)), "N = 3\n");
    standin::SimObject& vessel = AddVessel("A", LongKey(255));
    module.UpdateVessel(&vessel);
    EXPECT_EQ(vessel.touchdown_sets, 1);
    EXPECT_EQ(UpdateLog().at(1),
              "Vantrel: Vessel Definition found for class " + LongKey(255));
  }
  {
    SCOPED_TRACE("256 characters do not: no class lookup, even with a file");
    folder.WriteDefinition(FileOf(LongKey(256)), "N = 3\n");
    standin::SimObject& vessel = AddVessel("B", LongKey(256));
    module.UpdateVessel(&vessel);
    EXPECT_EQ(vessel.touchdown_sets, 0);
    EXPECT_EQ(UpdateLog().back(), "Vantrel: No TD Pts Override for: B");
  }
  {
    SCOPED_TRACE("no class at all");
    standin::SimObject& vessel = AddVessel("C", std::nullopt);
    module.UpdateVessel(&vessel);
    EXPECT_EQ(UpdateLog().back(), "Vantrel: No TD Pts Override for: C");
  }
  {
    SCOPED_TRACE("an object that is not a vessel: the name only");
    standin::SimObject& moon = session.vessels().AddObject("Phobos", 1e16);
    const std::size_t before = Log().size();
    module.UpdateVessel(&moon);
    EXPECT_EQ(Log().size(), before + 1);
  }
  {
    SCOPED_TRACE("a longer name is cut to 255 characters by the host");
    standin::SimObject& vessel = AddVessel(LongKey(255) + "extra", "X");
    const std::size_t before = Log().size();
    module.UpdateVessel(&vessel);
    EXPECT_EQ(Log().at(before),
              "Vantrel: Vessel Definition found for name " + LongKey(255));
  }
  ExpectHostClean();
}

}  // namespace
