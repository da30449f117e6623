// Reading a definition file into the module's table.
#include <string>

#include "module_fixture.h"

namespace {

using ::testing::ElementsAre;

class LoadDefinitionTest : public ModuleTest {};

TEST_F(LoadDefinitionTest, FileNamesComeFromTheKey) {
  folder.WriteDefinition("Lander___Mk2.cfg", "N = 3\n");
  folder.WriteDefinition("A______B.cfg", "N = 3\n");
  folder.WriteDefinition("Fleet/Lander.cfg", "N = 3\n");
  folder.WriteDefinition(".cfg", "N = 3\n");

  EXPECT_TRUE(module.LoadDefinition("Lander/Mk2"));
  EXPECT_TRUE(module.LoadDefinition("A//B"));
  EXPECT_TRUE(module.LoadDefinition("Fleet\\Lander")) << "'\\' is a folder";
  EXPECT_TRUE(module.LoadDefinition("")) << "an empty key names .cfg";
  EXPECT_FALSE(module.LoadDefinition("Rover/Mk3"));
  EXPECT_THAT(UpdateLog(),
              ElementsAre("Vantrel: No TD Pts Override for: Rover/Mk3"));
  ExpectHostClean();
}

TEST_F(LoadDefinitionTest, TooFewPointsEmptiesTheTableWithoutALogLine) {
  folder.WriteDefinition("Three.cfg", "N = 3\nPOINT_1 = 1 2 3\n");
  folder.WriteDefinition("Two.cfg", "N = 2\nPOINT_1 = 1 2 3\n");
  folder.WriteDefinition("NoCount.cfg", "POINT_1 = 1 2 3\n");
  folder.WriteDefinition("BadCount.cfg", "N = many\n");

  for (const char* key : {"Two", "NoCount", "BadCount"}) {
    SCOPED_TRACE(key);
    ASSERT_TRUE(module.LoadDefinition("Three"));
    EXPECT_FALSE(module.LoadDefinition(key));
    EXPECT_EQ(module.table.nPoints, 0);
    EXPECT_TRUE(module.table.points.empty());
    EXPECT_EQ(module.table.points.capacity(), 0u) << "storage given back";
  }
  EXPECT_TRUE(UpdateLog().empty());
  ExpectHostClean();
}

TEST_F(LoadDefinitionTest, AFileThatCannotBeOpenedLeavesTheTable) {
  folder.WriteDefinition("Three.cfg", "N = 3\nPOINT_1 = 1 2 3\n");
  ASSERT_TRUE(module.LoadDefinition("Three"));
  EXPECT_FALSE(module.LoadDefinition("Missing"));
  EXPECT_EQ(module.table.nPoints, 3);
  EXPECT_EQ(module.table.points.size(), 3u);
  EXPECT_EQ(module.table.points[0].pos.x, 1.0);
  ExpectHostClean();
}

TEST_F(LoadDefinitionTest, ReadsSevenRealsPerPoint) {
  folder.WriteDefinition(
      "Full.cfg",
      "N = 4\n"
      "POINT_1 = 0 -2 10 1e6 1e5 0.5 0.1\n"
      "POINT_2 = -3 -2 -5 2e6 2e5 0.6 0.2 99 ; an eighth real is ignored\n"
      "POINT_3 = 3 -2 -5 3e6 3e5 0.7 0.3\n"
      "POINT_4 = 0 -1 2 1000 200 0.5 0.9\n");
  ASSERT_TRUE(module.LoadDefinition("Full"));
  EXPECT_EQ(module.table.nPoints, 4);
  EXPECT_THAT(module.table.points,
              ElementsAre(SameVertex(Vertex(0, -2, 10, 1e6, 1e5, 0.5, 0.1)),
                          SameVertex(Vertex(-3, -2, -5, 2e6, 2e5, 0.6, 0.2)),
                          SameVertex(Vertex(3, -2, -5, 3e6, 3e5, 0.7, 0.3)),
                          SameVertex(Vertex(0, -1, 2, 1000, 200, 0.5, 0.5))));
  ExpectHostClean();
}

TEST_F(LoadDefinitionTest, AMissingPointRepeatsTheTextReadBeforeIt) {
  // Point 3 missing: it equals point 2, and as a primary point it still
  // takes the seventh real.
  folder.WriteDefinition("Gap.cfg",
                         "N = 5\n"
                         "POINT_1 = 1 1 1 1 1 1 1\n"
                         "POINT_2 = 2 2 2 2 2 0.2 0.7\n"
                         "POINT_4 = 4 4 4 4 4 0.4 0.8\n"
                         "POINT_5 = 5 5 5 5 5 0.5 0.9\n");
  ASSERT_TRUE(module.LoadDefinition("Gap"));
  EXPECT_THAT(module.table.points[2],
              SameVertex(Vertex(2, 2, 2, 2, 2, 0.2, 0.7)));

  // Point 4 missing: it takes point 3's text, but from point 4 on the
  // longitudinal coefficient is the sixth real.
  folder.WriteDefinition("LastGap.cfg",
                         "N = 4\n"
                         "POINT_1 = 1 1 1 1 1 1 1\n"
                         "POINT_2 = 2 2 2 2 2 2 2\n"
                         "POINT_3 = 3 3 3 3 3 0.3 0.6\n");
  ASSERT_TRUE(module.LoadDefinition("LastGap"));
  EXPECT_THAT(module.table.points[3],
              SameVertex(Vertex(3, 3, 3, 3, 3, 0.3, 0.3)));

  // No point items at all: every point reads "0".
  folder.WriteDefinition("Empty.cfg", "N = 4\n");
  ASSERT_TRUE(module.LoadDefinition("Empty"));
  ASSERT_EQ(module.table.points.size(), 4u);
  for (const TOUCHDOWNVTX& point : module.table.points) {
    EXPECT_THAT(point, SameVertex(Vertex(0, 0, 0, 0, 0, 0, 0)));
  }

  // The remembered text does not carry over from one file to the next.
  folder.WriteDefinition("Fresh.cfg", "N = 3\nPOINT_2 = 7 7 7\n");
  ASSERT_TRUE(module.LoadDefinition("Fresh"));
  EXPECT_THAT(module.table.points[0], SameVertex(Vertex(0, 0, 0, 0, 0, 0, 0)));
  EXPECT_THAT(module.table.points[2], SameVertex(Vertex(7, 7, 7, 0, 0, 0, 0)));
  ExpectHostClean();
}

TEST_F(LoadDefinitionTest, ReadingStopsAtTheFirstRealThatFails) {
  folder.WriteDefinition("Odd.cfg",
                         "N = 4\n"
                         "POINT_1 = 1 2 3\n"
                         "POINT_2 = 1.5abc 2\n"
                         "POINT_3 = x 1 2 3 4 5 6\n"
                         "POINT_4 = 1,5 2\n");
  ASSERT_TRUE(module.LoadDefinition("Odd"));
  EXPECT_THAT(module.table.points,
              ElementsAre(SameVertex(Vertex(1, 2, 3, 0, 0, 0, 0)),
                          SameVertex(Vertex(1.5, 0, 0, 0, 0, 0, 0)),
                          SameVertex(Vertex(0, 0, 0, 0, 0, 0, 0)),
                          SameVertex(Vertex(1, 0, 0, 0, 0, 0, 0))));
  ExpectHostClean();
}

TEST_F(LoadDefinitionTest, ACountAboveTheLimitDoesNotCount) {
  const int limit = Vantrel::kMaxPoints;
  folder.WriteDefinition("AtLimit.cfg", "N = " + std::to_string(limit) + "\n");
  folder.WriteDefinition("Above.cfg",
                         "N = " + std::to_string(limit + 1) + "\n");
  folder.WriteDefinition("Largest.cfg", "N = 2147483647\n");

  ASSERT_TRUE(module.LoadDefinition("AtLimit"));
  EXPECT_EQ(module.table.points.size(), static_cast<std::size_t>(limit));
  EXPECT_FALSE(module.LoadDefinition("Above"));
  EXPECT_EQ(module.table.nPoints, 0);
  EXPECT_TRUE(module.table.points.empty());
  EXPECT_FALSE(module.LoadDefinition("Largest"));
  EXPECT_THAT(UpdateLog(),
              ElementsAre("Vantrel: Too many TD Pts for: Above (N = 8193, "
                          "at most 8192)",
                          "Vantrel: Too many TD Pts for: Largest "
                          "(N = 2147483647, at most 8192)"));
  ExpectHostClean();
}

}  // namespace
