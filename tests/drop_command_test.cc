#include "drop_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "exit_codes.h"
#include "show_command.h"

namespace tools {
namespace {

using ::testing::HasSubstr;

const std::string kData = VANTREL_TEST_DATA "/simulator-sample";

struct Output {
  int code;
  std::string out;
  std::string err;
};

Output Drop(DropArguments arguments) {
  arguments.root = kData;
  arguments.plugin = VANTREL_TEST_PLUGIN;
  std::ostringstream out, err;
  const int code = DropCommand(arguments, out, err);
  return {code, out.str(), err.str()};
}

TEST(DropCommandTest, FourPadsAndFourFeetStand) {
  {
    SCOPED_TRACE("a four-pad lander lands upright in drop and in show");
    DropArguments lander;
    lander.name = "FourPadLander";
    lander.mass = 8000;
    lander.pmi = {4, 4, 4};
    lander.size = 4;
    const Output drop = Drop(lander);
    ASSERT_EQ(drop.code, kExitOk) << drop.err;
    EXPECT_THAT(drop.out, HasSubstr("  verdict                  lands  "));
    EXPECT_THAT(drop.out, HasSubstr("4   0.000  -2.500  -2.600     0.0552"));
    ShowArguments show;
    show.root = kData;
    show.name = "FourPadLander";
    show.mass = 8000;
    show.plugin = VANTREL_TEST_PLUGIN;
    std::ostringstream out, err;
    ASSERT_EQ(ShowCommand(show, out, err), kExitOk) << err.str();
    EXPECT_THAT(out.str(), HasSubstr("\n  lands (LANDED at "));
    EXPECT_THAT(out.str(), HasSubstr("pitch 0.1"));
  }
  {
    SCOPED_TRACE("a quadcopter's feet share its load; JSON with its keys");
    DropArguments quad;
    quad.name = "Quadcopter";
    quad.mass = 3;
    quad.pmi = {0.05, 0.08, 0.05};
    quad.size = 0.5;
    quad.json = true;
    const Output drop = Drop(quad);
    ASSERT_EQ(drop.code, kExitOk) << drop.err;
    EXPECT_THAT(drop.out, HasSubstr("\"verdict\": \"lands\""));
    for (int i = 1; i <= 4; ++i) {
      EXPECT_THAT(drop.out, HasSubstr("{\"index\": " + std::to_string(i) +
                                      ", \"depth_m\": 0.24999"));
    }
    EXPECT_EQ(std::count(drop.out.begin(), drop.out.end(), '\n'), 14);
    EXPECT_THAT(drop.out, ::testing::Not(HasSubstr("\"load_share\": 0,")));
    std::set<std::string> keys;
    const std::regex key("\"([a-z_]+)\":");
    for (auto it = std::sregex_iterator(drop.out.begin(), drop.out.end(), key);
         it != std::sregex_iterator(); ++it) {
      keys.insert((*it)[1]);
    }
    EXPECT_EQ(keys,
              (std::set<std::string>{
                  "verdict", "landed_at_s", "rest", "cog_height_m", "pitch_deg",
                  "roll_deg", "points", "index", "depth_m", "load_share",
                  "bounces", "max_depth_m", "max_stable_warp"}));
  }
}

TEST(DropCommandTest, RealClassFilesAndStarts) {
  {
    SCOPED_TRACE(
        "a definition file on a real class: its tank is empty, as the host "
        "leaves a tank that the scenario does not fill");
    DropArguments ldef;
    ldef.definition = kData + "/Config/Vantrel/FourPadLander.cfg";
    ldef.class_name = "LDEF";
    const Output drop = Drop(ldef);
    ASSERT_EQ(drop.code, kExitOk) << drop.err;
    EXPECT_THAT(drop.out,
                HasSubstr("mass 2500 kg (Config\\Vessels\\LDEF.cfg)"));
    EXPECT_THAT(drop.out, HasSubstr("size 12 m, inertia 11.7 11.7 2.85 m^2"));
    EXPECT_THAT(drop.out, HasSubstr("before (its own: the host's default "
                                    "points)"));
  }
  {
    SCOPED_TRACE("a definition file that cannot be read is named");
    DropArguments mir;
    mir.definition = kData + "/Config/Vantrel/Reversed.cfg";
    const Output missing = Drop(mir);
    EXPECT_EQ(missing.code, kExitInput);
    EXPECT_THAT(missing.err, HasSubstr("Reversed.cfg: cannot read"));
  }
  {
    SCOPED_TRACE("the drawing never replaces the definition it reads");
    DropArguments lander;
    lander.definition = kData + "/Config/Vantrel/FourPadLander.cfg";
    lander.class_name = "LDEF";
    const auto text = [&] {
      std::ifstream file(*lander.definition, std::ios::binary);
      return std::string(std::istreambuf_iterator<char>(file), {});
    };
    const std::string before = text();
    lander.svg = lander.definition;
    const Output refused = Drop(lander);
    EXPECT_EQ(refused.code, kExitUsage);
    EXPECT_THAT(refused.err, HasSubstr("refusing to write the drawing"));
    EXPECT_EQ(text(), before);
    const std::string drawing = ::testing::TempDir() + "/lander-drop.svg";
    std::remove(drawing.c_str());
    lander.svg = drawing;
    ASSERT_EQ(Drop(lander).code, kExitOk);
    std::ifstream svg(drawing);
    std::string first_line;
    std::getline(svg, first_line);
    EXPECT_THAT(first_line, HasSubstr("<?xml"));
  }
  DropArguments nothing;
  EXPECT_EQ(Drop(nothing).code, kExitUsage);
}

}  // namespace
}  // namespace tools
