#include "formats/scenario.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "files/disk_file_system.h"
#include "formats/text_encoding.h"
#include "memory_folder.h"
#include "vessel/body_file.h"

namespace {

using formats::ParseScenario;
using ::testing::ElementsAre;
using ::testing::Field;
using ::testing::HasSubstr;

TEST(ScenarioTest, ReadsTheVesselBlocksOfTheShipsSection) {
  const auto scenario = ParseScenario(
      "BEGIN_DESC\nNot:AVessel\nEND_DESC\n"
      "BEGIN_ENVIRONMENT\n  System Sol\nEND_ENVIRONMENT\n"
      "BEGIN_SHIPS\r\n"
      "Probe-1:Lander\r\n  STATUS Landed Moon\r\n  MASS 1200.5\r\nEND\r\n"
      "\n"
      "Rover\n  MASS 8e2\n  SPAWN_STEP 4\n  POS 1 2 3\nEND\n"
      "Empty:\nEND\n"
      "END_SHIPS\n"
      "BEGIN_FOCUS\n  Ship Probe-1\nEND_FOCUS\n");
  EXPECT_TRUE(scenario.errors.empty());
  EXPECT_TRUE(scenario.warnings.empty());
  ASSERT_EQ(scenario.vessels.size(), 3u);
  EXPECT_EQ(scenario.vessels[0].name, "Probe-1");
  EXPECT_EQ(scenario.vessels[0].class_name, "Lander");
  EXPECT_EQ(scenario.vessels[0].mass, 1200.5);
  EXPECT_EQ(scenario.vessels[0].spawn_step, 0);
  EXPECT_EQ(scenario.vessels[0].line, 8);
  // Without a class, the host uses the name as the class.
  EXPECT_EQ(scenario.vessels[1].class_name, "Rover");
  EXPECT_EQ(scenario.vessels[1].mass, 800.0);
  EXPECT_EQ(scenario.vessels[1].spawn_step, 4);
  EXPECT_EQ(scenario.vessels[2].class_name, "Empty");
  EXPECT_FALSE(scenario.vessels[2].mass.has_value());
}

TEST(ScenarioTest, MalformedScenariosNameTheLine) {
  struct Case {
    const char* text;
    int line;
    const char* message;
  };
  const Case cases[] = {
      {"BEGIN_SHIPS\nA:B\n  MASS heavy\nEND\nEND_SHIPS\n", 3, "finite number"},
      {"BEGIN_SHIPS\nA:B\n  MASS nan\nEND\nEND_SHIPS\n", 3, "finite number"},
      {"BEGIN_SHIPS\nA:B\n  MASS 1e999\nEND\nEND_SHIPS\n", 3,
       "not a positive, finite"},
      {"BEGIN_SHIPS\nA:B\n  MASS -5\nEND\nEND_SHIPS\n", 3, "not a positive"},
      {"BEGIN_SHIPS\nA:B\n  MASS 0\nEND\nEND_SHIPS\n", 3, "not a positive"},
      {"BEGIN_SHIPS\nA:B\n  MASS\nEND\nEND_SHIPS\n", 3, "exactly one value"},
      {"BEGIN_SHIPS\nA:B\n  MASS 1 kg\nEND\nEND_SHIPS\n", 3, "exactly one"},
      {"BEGIN_SHIPS\nA:B\n  SPAWN_STEP 0\nEND\nEND_SHIPS\n", 3, "step number"},
      {"BEGIN_SHIPS\nA:B\n  SPAWN_STEP 2.5\nEND\nEND_SHIPS\n", 3, "step"},
      {"BEGIN_SHIPS\n:Lander\nEND\nEND_SHIPS\n", 2, "malformed vessel line"},
      {"BEGIN_SHIPS\nProbe 1:Lander\nEND\nEND_SHIPS\n", 2, "malformed"},
      {"BEGIN_SHIPS\nA:B\nEND\nA:C\nEND\nEND_SHIPS\n", 4,
       "already used at line 2"},
      {"BEGIN_SHIPS\nEND\nEND_SHIPS\n", 2, "END without a vessel"},
      {"BEGIN_SHIPS\nA:B\n  MASS 1\nEND_SHIPS\n", 2, "no END before END_SHIPS"},
      {"BEGIN_SHIPS\nA:B\n  MASS 1\n", 2, "no END"},
      {"BEGIN_SHIPS\nA:B\nEND\n", 1, "no END_SHIPS"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const auto scenario = ParseScenario(c.text);
    ASSERT_EQ(scenario.errors.size(), 1u);
    EXPECT_EQ(scenario.errors[0].line, c.line);
    EXPECT_THAT(scenario.errors[0].message, HasSubstr(c.message));
  }
}

TEST(ScenarioTest, TheBodyALandedVesselStandsOn) {
  const auto scenario = ParseScenario(
      "BEGIN_SHIPS\r\n"
      "LM:Eagle\r\n  STATUS Landed Moon\r\nEND\r\n"
      "Rover\r\n  STATUS Landed mars\r\nEND\r\n"
      "ISS\r\n  STATUS Orbiting Earth\r\nEND\r\n"
      "Probe\r\n  STATUS Landed\r\nEND\r\n"
      "END_SHIPS\r\n");
  ASSERT_EQ(scenario.vessels.size(), 4u);
  EXPECT_EQ(scenario.vessels[0].state, formats::VesselState::kLanded);
  EXPECT_EQ(scenario.vessels[2].state, formats::VesselState::kOrbiting);
  EXPECT_EQ(scenario.vessels[2].body, "Earth");
  EXPECT_EQ(scenario.vessels[3].state, formats::VesselState::kNotGiven);
  ASSERT_EQ(scenario.warnings.size(), 1u);
  EXPECT_EQ(scenario.warnings[0].line, 12);
  EXPECT_THAT(scenario.warnings[0].message,
              HasSubstr("STATUS Landed names no body"));
  {
    SCOPED_TRACE("the stock body files give the host's surface gravity");
    files::DiskFileSystem disk;
    const std::filesystem::path sample = VANTREL_TEST_DATA "/simulator-sample";
    const double g[] = {1.6231, 3.7268};
    // The Moon's elevation data come in half metres, Mars's in metres.
    const double slope_factor[] = {2.0, 1.0};
    for (int i = 0; i < 2; ++i) {
      formats::Problem problem;
      const auto body = vessel::ReadBodyFile(
          disk, sample, scenario.vessels[i].body, &problem);
      ASSERT_TRUE(body) << formats::FormatProblem(problem);
      EXPECT_NEAR(body->SurfaceGravity(), g[i], 1e-4);
      EXPECT_EQ(body->SlopeFactor(), slope_factor[i]);
    }
  }
  {
    SCOPED_TRACE("a body file that is missing or gives no mass is named");
    MemoryFolder folder;
    folder.Write("Config/Airless.cfg", "; no mass\r\nSize = 1000\r\n");
    folder.Write("Config/Odd.cfg", "Size = 1000\r\nMass = heavy\r\n");
    // The file is named as the platform spells it: "\\" on Windows.
    const auto shown = [&folder](const char* name) {
      return formats::ShownPath(folder.path() / "Config" / name);
    };
    const std::pair<const char*, std::string> cases[] = {
        {"Vulcan", shown("Vulcan.cfg") +
                       ": error: no body file for Vulcan (the host reads "
                       "Config\\Vulcan.cfg for its Mass and Size)"},
        {"Airless", shown("Airless.cfg") +
                        ": error: the body file of Airless gives no Mass"},
        {"Odd", shown("Odd.cfg") +
                    ":2: error: Mass 'heavy' is not a positive, finite number "
                    "of kg"}};
    for (const auto& [body, message] : cases) {
      formats::Problem problem;
      EXPECT_FALSE(
          vessel::ReadBodyFile(folder.files(), folder.path(), body, &problem));
      EXPECT_THAT(formats::FormatProblem(problem), HasSubstr(message));
    }
  }
}

TEST(ScenarioTest, AScenarioWithoutShipsHasNoVessels) {
  const auto scenario = ParseScenario("BEGIN_DESC\nnothing\nEND_DESC\n");
  EXPECT_TRUE(scenario.vessels.empty());
  EXPECT_TRUE(scenario.errors.empty());
  EXPECT_THAT(scenario.warnings,
              ElementsAre(Field(&formats::Problem::message,
                                HasSubstr("no BEGIN_SHIPS"))));
  EXPECT_TRUE(ParseScenario("").vessels.empty());
}

}  // namespace
