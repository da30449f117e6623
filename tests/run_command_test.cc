// vantrel run: a scenario through the loaded plug-in, and its errors.
#include "run_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "exit_codes.h"
#include "test_folder.h"

namespace tools {
namespace {

using ::testing::HasSubstr;

class RunCommandTest : public ::testing::Test {
 protected:
  int Run(RunArguments arguments) {
    arguments.plugin = VANTREL_TEST_PLUGIN;
    out_.str("");
    err_.str("");
    return RunCommand(arguments, out_, err_);
  }

  RunArguments InFolder(const std::string& scenario_text) {
    folder_.Write("Scenarios/Test.scn", scenario_text);
    RunArguments arguments;
    arguments.root = folder_.path().string();
    arguments.scenario = "Test.scn";
    return arguments;
  }

  std::string ScenarioPath() const {
    return (folder_.path() / "Scenarios" / "Test.scn").string();
  }

  TestFolder folder_;
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(RunCommandTest, RunsTheScenarioAndWritesTheLogFile) {
  folder_.WriteDefinition("Lander.cfg", "N = 3\nPOINT_1 = 0 -1 2\n");
  RunArguments arguments = InFolder(
      "BEGIN_SHIPS\n"
      "Late:Lander\n  MASS 100\n  SPAWN_STEP 3\nEND\n"
      "Early:Lander\n  MASS 100\nEND\n"
      "Plain:Buggy\nEND\n"
      "END_SHIPS\n");
  const std::string log_path = (folder_.path() / "run.log").string();
  arguments.log_file = log_path;

  ASSERT_EQ(Run(arguments), kExitOk) << err_.str();
  // Early exists from the start; Late arrives in step 3 and is reported at
  // once; the sweep then takes the vessels in order of creation.
  const char* expected[] = {
      "Vantrel Loaded, Version:190119",
      "Vantrel: No TD Pts Override for: Late",
      "Vantrel: Vessel Definition found for class Lander",
      "point1 : 0.000 -1.000 2.000 981.000 595.097 3.000 3.000",
      "point2 : 0.000 -1.000 2.000 981.000 595.097 3.000 3.000",
      "point3 : 0.000 -1.000 2.000 981.000 595.097 3.000 3.000",
      "Vantrel: No TD Pts Override for: Early",
      "Vantrel: Vessel Definition found for class Lander",
      "point1 : 0.000 -1.000 2.000 981.000 595.097 3.000 3.000",
      "point2 : 0.000 -1.000 2.000 981.000 595.097 3.000 3.000",
      "point3 : 0.000 -1.000 2.000 981.000 595.097 3.000 3.000",
      "Vantrel: No TD Pts Override for: Plain",
      "Vantrel: No TD Pts Override for: Buggy",
      "Vantrel: No TD Pts Override for: Late",
      "Vantrel: Vessel Definition found for class Lander",
      "point1 : 0.000 -1.000 2.000 981.000 595.097 3.000 3.000",
      "point2 : 0.000 -1.000 2.000 981.000 595.097 3.000 3.000",
      "point3 : 0.000 -1.000 2.000 981.000 595.097 3.000 3.000",
  };
  std::ifstream log(log_path, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(log)),
                   std::istreambuf_iterator<char>());
  std::string joined;
  for (const char* line : expected) joined += std::string(line) + "\n";
  EXPECT_EQ(text, joined);

  const std::string out = out_.str();
  EXPECT_THAT(out, HasSubstr("  Vantrel Loaded, Version:190119\n"));
  EXPECT_THAT(out, HasSubstr("Vessels after 10 steps"));
  EXPECT_THAT(out, HasSubstr("step 3"));
  EXPECT_THAT(out, HasSubstr("(default)")) << "Plain has no MASS";
  EXPECT_THAT(out, HasSubstr("class  Config\\Vantrel\\Lander.cfg"));
  EXPECT_THAT(out, HasSubstr("none   (kept its own points)"));
}

TEST_F(RunCommandTest, BadInputIsReportedWithItsFileAndLine) {
  {
    SCOPED_TRACE("a MASS that is not a number");
    EXPECT_EQ(Run(InFolder("BEGIN_SHIPS\nA:B\n  MASS ten\nEND\nEND_SHIPS\n")),
              kExitInput);
    EXPECT_THAT(err_.str(), HasSubstr(ScenarioPath() + ":3: error: MASS"));
    EXPECT_EQ(out_.str(), "") << "nothing runs";
  }
  {
    SCOPED_TRACE("a malformed vessel line");
    EXPECT_EQ(Run(InFolder("BEGIN_SHIPS\nA B:C\nEND\nEND_SHIPS\n")),
              kExitInput);
    EXPECT_THAT(err_.str(), HasSubstr(ScenarioPath() + ":2: error: malformed"));
  }
  {
    SCOPED_TRACE("a missing scenario");
    RunArguments arguments = InFolder("");
    arguments.scenario = "Missing.scn";
    EXPECT_EQ(Run(arguments), kExitInput);
    EXPECT_THAT(err_.str(), HasSubstr("Missing.scn: cannot read the scenario"));
  }
  {
    SCOPED_TRACE("a host folder that cannot be read");
    RunArguments arguments = InFolder("");
    arguments.root = (folder_.path() / "nowhere").string();
    EXPECT_EQ(Run(arguments), kExitInput);
    EXPECT_THAT(err_.str(), HasSubstr("nowhere: cannot read the host folder"));
  }
  {
    SCOPED_TRACE("a host folder without a scenario");
    RunArguments arguments;
    arguments.root = folder_.path().string();
    EXPECT_EQ(Run(arguments), kExitUsage);
  }
  {
    SCOPED_TRACE("a log file that cannot be created");
    RunArguments arguments = InFolder("BEGIN_SHIPS\nEND_SHIPS\n");
    arguments.log_file = (folder_.path() / "no" / "such" / "x.log").string();
    EXPECT_EQ(Run(arguments), kExitInput);
    EXPECT_THAT(err_.str(), HasSubstr("cannot create the log file"));
  }
  {
    SCOPED_TRACE("a plug-in that cannot be loaded");
    RunArguments arguments = InFolder("BEGIN_SHIPS\nEND_SHIPS\n");
    arguments.plugin = (folder_.path() / "Vantrel.so").string();
    out_.str("");
    err_.str("");
    EXPECT_EQ(RunCommand(arguments, out_, err_), kExitPlugin);
    EXPECT_THAT(err_.str(), HasSubstr("vantrel run: "));
  }
}

TEST_F(RunCommandTest, WarnsAboutVesselsThatNeverArrive) {
  RunArguments arguments =
      InFolder("BEGIN_SHIPS\nA:B\n  SPAWN_STEP 11\nEND\nEND_SHIPS\n");
  EXPECT_EQ(Run(arguments), kExitOk);
  EXPECT_THAT(err_.str(),
              HasSubstr(ScenarioPath() + ":2: warning: SPAWN_STEP 11 comes "
                                         "after the last step (10)"));
  arguments.steps = 11;
  EXPECT_EQ(Run(arguments), kExitOk);
  EXPECT_EQ(err_.str(), "");
  EXPECT_THAT(out_.str(), HasSubstr("No TD Pts Override for: A"));
}

}  // namespace
}  // namespace tools
