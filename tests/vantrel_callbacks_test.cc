// The module object's callbacks: the banner, the new-vessel updates and the
// sweep in the tenth post-step of each simulation.
#include <string>

#include "module_fixture.h"

namespace {

using ::testing::ElementsAre;

class CallbacksTest : public ModuleTest {
 protected:
  void PostSteps(int count) {
    for (int i = 0; i < count; ++i) module.clbkPostStep(i * 0.1, 0.1, 51544.5);
  }

  // The vessels' names in the order the module asked for their files.
  std::vector<std::string> Misses() const {
    std::vector<std::string> names;
    const std::string prefix = "Vantrel: No TD Pts Override for: ";
    for (const std::string& line : Log()) {
      if (line.rfind(prefix, 0) == 0)
        names.push_back(line.substr(prefix.size()));
    }
    return names;
  }
};

TEST_F(CallbacksTest, TheSweepRunsInsideTheTenthPostStepOnly) {
  folder.WriteDefinition("Lander.cfg", "N = 3\n");
  standin::SimObject& a = AddVessel("A", "Lander");
  standin::SimObject& b = AddVessel("B", "Lander");
  AddVessel("C", "Buggy");

  PostSteps(9);
  EXPECT_EQ(Log().size(), 1u) << "nothing before the tenth post-step";
  EXPECT_TRUE(module.sweepPending);
  EXPECT_EQ(module.stepCount, 9);

  PostSteps(1);
  EXPECT_THAT(Misses(), ElementsAre("A", "B", "C", "Buggy"))
      << "every vessel, in index order";
  EXPECT_EQ(a.touchdown_sets, 1);
  EXPECT_EQ(b.touchdown_sets, 1);
  EXPECT_FALSE(module.sweepPending);

  const std::size_t after_sweep = Log().size();
  PostSteps(100);
  EXPECT_EQ(Log().size(), after_sweep) << "nothing after the sweep";
  EXPECT_EQ(module.stepCount, 10);
  ExpectHostClean();
}

TEST_F(CallbacksTest, ANewVesselIsUpdatedAtOnceAndAgainInTheSweep) {
  folder.WriteDefinition("Tug.cfg", "N = 3\nPOINT_1 = 1 2 3 4 5 6 7\n");
  PostSteps(4);
  standin::SimObject& tug = AddVessel("Tug", "Tug");
  module.clbkNewVessel(&tug);
  EXPECT_EQ(tug.touchdown_sets, 1);
  PostSteps(6);
  EXPECT_EQ(tug.touchdown_sets, 2);
  EXPECT_EQ(UpdateLog(),
            std::vector<std::string>(
                {"Vantrel: Vessel Definition found for name Tug",
                 ModuleTest::PointLine(1, Vertex(1, 2, 3, 4, 5, 6, 7)),
                 ModuleTest::PointLine(2, Vertex(1, 2, 3, 4, 5, 6, 7)),
                 ModuleTest::PointLine(3, Vertex(1, 2, 3, 4, 5, 6, 7)),
                 "Vantrel: Vessel Definition found for name Tug",
                 ModuleTest::PointLine(1, Vertex(1, 2, 3, 4, 5, 6, 7)),
                 ModuleTest::PointLine(2, Vertex(1, 2, 3, 4, 5, 6, 7)),
                 ModuleTest::PointLine(3, Vertex(1, 2, 3, 4, 5, 6, 7))}));

  // After the sweep, new vessels are still updated.
  standin::SimObject& late = AddVessel("Late", "Tug");
  module.clbkNewVessel(&late);
  EXPECT_EQ(late.touchdown_sets, 1);
  ExpectHostClean();
}

TEST_F(CallbacksTest, AnEmptySweepStillEndsTheCounting) {
  PostSteps(10);
  EXPECT_FALSE(module.sweepPending);
  EXPECT_EQ(Log().size(), 1u);
  AddVessel("After", "Lander");
  PostSteps(20);
  EXPECT_EQ(Log().size(), 1u) << "a vessel that came later is not swept";
}

TEST_F(CallbacksTest, EverySimulationStartArmsTheSweepAgain) {
  folder.WriteDefinition("Lander.cfg", "N = 3\n");
  standin::SimObject& a = AddVessel("A", "Lander");
  {
    SCOPED_TRACE("a start during the counting starts it over");
    module.clbkSimulationStart(oapi::Module::RENDER_NONE);
    PostSteps(5);
    module.clbkSimulationStart(oapi::Module::RENDER_WINDOW);
    EXPECT_EQ(module.stepCount, 0);
    PostSteps(9);
    EXPECT_EQ(a.touchdown_sets, 0) << "nine post-steps since the start";
    PostSteps(1);
    EXPECT_EQ(a.touchdown_sets, 1);
  }
  {
    SCOPED_TRACE("the next simulation after a sweep gets its own");
    module.clbkSimulationStart(oapi::Module::RENDER_FULLSCREEN);
    EXPECT_TRUE(module.sweepPending);
    PostSteps(9);
    EXPECT_EQ(a.touchdown_sets, 1);
    PostSteps(1);
    EXPECT_EQ(a.touchdown_sets, 2) << "swept in the tenth post-step again";
    EXPECT_FALSE(module.sweepPending);
    PostSteps(20);
    EXPECT_EQ(a.touchdown_sets, 2) << "once per simulation";
  }
  ExpectHostClean();
}

TEST_F(CallbacksTest, TheBannerIsWrittenOncePerModuleObject) {
  EXPECT_THAT(Log(), ElementsAre("Vantrel Loaded, Version:190119"));
  {
    Vantrel second(nullptr);
    second.clbkSimulationStart(oapi::Module::RENDER_NONE);
    second.clbkPostStep(0, 0, 0);
  }
  EXPECT_THAT(Log(), ElementsAre("Vantrel Loaded, Version:190119",
                                 "Vantrel Loaded, Version:190119"));
}

TEST_F(CallbacksTest, TheHostCallsThroughTheBaseClass) {
  folder.WriteDefinition("A.cfg", "N = 3\n");
  standin::SimObject& a = AddVessel("A", "A");
  oapi::Module& base = module;
  base.clbkNewVessel(&a);
  for (int i = 0; i < 10; ++i) base.clbkPostStep(0, 0, 0);
  EXPECT_EQ(a.touchdown_sets, 2);
  // The host owns a module it was given and destroys it through the base
  // class (the address sanitizer sees a destructor that is not virtual).
  oapi::Module* owned = new Vantrel(nullptr);
  owned->clbkNewVessel(&a);
  delete owned;
  EXPECT_EQ(a.touchdown_sets, 3);
}

}  // namespace
