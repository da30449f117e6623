#include "tools/drop_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "command_output.h"
#include "files/disk_file_system.h"
#include "tools/exit_codes.h"
#include "tools/show_command.h"

namespace tools {
namespace {

using ::testing::HasSubstr;

const std::string kData = VANTREL_TEST_DATA "/simulator-sample";

CommandOutput Drop(DropArguments arguments) {
  arguments.root = kData;
  arguments.plugin = VANTREL_TEST_PLUGIN;
  std::ostringstream out, err;
  files::DiskFileSystem disk;
  const int code = DropCommand(arguments, disk, out, err);
  return {code, out.str(), err.str()};
}

// The cell of the definition's column in the row `name` of drop's table.
std::string AfterCell(const std::string& out, const std::string& name) {
  const std::size_t header = out.find("  after (") + 2;
  const std::size_t column = header - out.rfind('\n', header) - 1;
  const std::size_t row = out.find("\n  " + name + "  ");
  if (row == std::string::npos) return "";
  const std::string line =
      out.substr(row + 1, out.find('\n', row + 1) - row - 1);
  return line.size() > column ? line.substr(column) : "";
}

double Number(const std::string& text) { return std::stod(text); }

// Checks that drop's report never beside its verdict on the definition
// holds a line that denies it: the table, the reasons and the points.
void ExpectNoLineDeniesTheVerdict(const std::string& out) {
  SCOPED_TRACE(out);
  const std::string verdict = AfterCell(out, "verdict");
  const bool rests = AfterCell(out, "LANDED at") != "never";
  const std::string cog = AfterCell(out, "CoG height (m)");
  const double height = cog == "diverged" ? 0 : Number(cog);
  const std::string tilt_text = AfterCell(out, "tilt (deg)");
  const double tilt = tilt_text == "diverged" ? 0 : Number(tilt_text);
  const std::string safe_text = AfterCell(out, "safe time acceleration");
  const double safe = safe_text == "none" ? 0 : Number(safe_text.substr(1));
  // The last table of points is the definition's: its title, its heading.
  std::istringstream points(out.substr(out.rfind("\nPoints at ") + 1));
  std::string line;
  std::getline(points, line);
  std::getline(points, line);
  double deepest = -1e9, least = 1e9;
  while (std::getline(points, line) && !line.empty()) {
    std::istringstream cells(line);
    std::string index, x, y, z, depth, share;
    cells >> index >> x >> y >> z >> depth >> share;
    if (depth == "diverged") break;
    deepest = std::max(deepest, Number(depth));
    least = std::min(least, Number(share));
  }
  const std::size_t why = out.find("Why not lands, after (");
  const std::string reasons =
      why == std::string::npos ? ""
                               : out.substr(why, out.find("\n\n", why) - why);
  if (verdict == "lands") {
    EXPECT_EQ(reasons, "");
    EXPECT_TRUE(rests);
    EXPECT_GE(height, 0);
    EXPECT_LE(tilt, 5);
    EXPECT_GE(safe, 1);
    EXPECT_LT(deepest, 1);
    EXPECT_GE(least, 0);
  } else {
    EXPECT_THAT(reasons, HasSubstr("\n  " + verdict + ": "));
  }
  // What the lines must show beside each verdict but lands.
  const std::map<std::string, bool> shown = {
      {"unstable", cog == "diverged"},
      {"sinks", deepest >= 1},
      {"tips-over", tilt > 30},
      {"keeps-moving", !rests},
      {"cog-below-ground", rests && height < 0},
      {"negative-load",
       least < 0 || reasons.find("where the host puts a landed vessel "
                                 "down") != std::string::npos},
      {"rests-tilted", rests && tilt > 5 && tilt <= 30},
      {"unsafe-at-x1", safe < 1},
  };
  if (verdict != "lands") {
    EXPECT_TRUE(shown.at(verdict)) << verdict;
  }
}

// A definition file written into a folder of the test's own.
// A file of the running test's own in the temporary folder: CTest runs the
// tests side by side, and two that wrote the same file would read each
// other's half-written text.
std::string OwnTempFile(const std::string& name) {
  return ::testing::TempDir() + "/" +
         ::testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
         name;
}

std::string WriteSet(const std::string& name, const std::string& points) {
  const std::string path = OwnTempFile("drop-" + name + ".cfg");
  std::ofstream(path, std::ios::binary) << points;
  return path;
}

TEST(DropCommandTest, FourPadsAndFourFeetStand) {
  {
    SCOPED_TRACE(
        "a four-pad lander stands level on its pads, but the host puts it "
        "down landed on points 1-3 alone, behind whose triangle its CoG "
        "lies: drop and show name the negative load");
    DropArguments lander;
    lander.name = "FourPadLander";
    lander.mass = 8000;
    lander.pmi = {4, 4, 4};
    lander.size = 4;
    const CommandOutput drop = Drop(lander);
    ASSERT_EQ(drop.code, kExitOk) << drop.err;
    EXPECT_EQ(AfterCell(drop.out, "verdict"), "negative-load");
    EXPECT_THAT(
        drop.out,
        HasSubstr("negative-load: point 1 carries -13.0 % of the weight "
                  "where the host puts a landed vessel down"));
    EXPECT_THAT(drop.out, HasSubstr("4   0.000  -2.500  -2.600     0.0553"));
    ExpectNoLineDeniesTheVerdict(drop.out);
    ShowArguments show;
    show.root = kData;
    show.name = "FourPadLander";
    show.mass = 8000;
    show.plugin = VANTREL_TEST_PLUGIN;
    std::ostringstream out, err;
    files::DiskFileSystem disk;
    ASSERT_EQ(ShowCommand(show, disk, out, err), kExitOk) << err.str();
    EXPECT_THAT(out.str(), HasSubstr("\n  negative-load (LANDED at "));
    EXPECT_THAT(out.str(), HasSubstr("pitch 0.1"));
  }
  {
    SCOPED_TRACE(
        "a quadcopter's feet share its load, but the springs the plug-in "
        "completes (m x 9.81) sink its 0.15 m feet 0.25 m under the Earth's "
        "9.8202 m/s^2: the CoG rests below the ground; JSON with its keys");
    DropArguments quad;
    quad.name = "Quadcopter";
    quad.mass = 3;
    quad.pmi = {0.05, 0.08, 0.05};
    quad.size = 0.5;
    quad.json = true;
    const CommandOutput drop = Drop(quad);
    ASSERT_EQ(drop.code, kExitOk) << drop.err;
    EXPECT_THAT(drop.out, HasSubstr("\"verdict\": \"cog-below-ground\",\n"
                                    "  \"faults\": [\"cog-below-ground\"]"));
    EXPECT_THAT(drop.out, HasSubstr("\"cog_height_m\": -0.10025"));
    for (int i = 1; i <= 4; ++i) {
      EXPECT_THAT(drop.out, HasSubstr("{\"index\": " + std::to_string(i) +
                                      ", \"depth_m\": 0.25025"));
    }
    EXPECT_THAT(drop.out, HasSubstr("\"body\": \"Earth\",\n  \"gravity_m_s2\": "
                                    "9.82021961,\n  \"gravity_from\": "
                                    "\"Config\\\\Earth.cfg\""));
    // Put down landed, it rests there from the lowest step on.
    EXPECT_THAT(drop.out, HasSubstr("\"max_stable_warp\": null"));
    EXPECT_THAT(drop.out, HasSubstr("{\"warp\": 0.1, \"h_s\": 0.000166666667, "
                                    "\"landed\": \"cog-below-ground\", "
                                    "\"handed_over\": null}\n  ]"));
    EXPECT_EQ(std::count(drop.out.begin(), drop.out.end(), '\n'), 25);
    EXPECT_THAT(drop.out, ::testing::Not(HasSubstr("\"load_share\": 0,")));
    std::set<std::string> keys;
    const std::regex key("\"([a-z0-9_]+)\":");
    for (auto it = std::sregex_iterator(drop.out.begin(), drop.out.end(), key);
         it != std::sregex_iterator(); ++it) {
      keys.insert((*it)[1]);
    }
    EXPECT_EQ(keys, (std::set<std::string>{"verdict",
                                           "faults",
                                           "landed_at_s",
                                           "rest",
                                           "cog_height_m",
                                           "pitch_deg",
                                           "roll_deg",
                                           "tilt_deg",
                                           "points",
                                           "index",
                                           "depth_m",
                                           "load_share",
                                           "bounces",
                                           "max_depth_m",
                                           "fps",
                                           "body",
                                           "gravity_m_s2",
                                           "gravity_from",
                                           "max_stable_warp",
                                           "max_stable_warp_h_s",
                                           "warp_steps",
                                           "warp",
                                           "h_s",
                                           "landed",
                                           "handed_over",
                                           "linear_estimate_warp",
                                           "full_tanks"}));
  }
}

// The JSON number after "key": in `out`.
double JsonValue(const std::string& out, const std::string& key) {
  const std::size_t at = out.find("\"" + key + "\": ");
  if (at == std::string::npos) return std::nan("");
  const std::string value = out.substr(at + key.size() + 4, 20);
  return value.rfind("null", 0) == 0 ? std::nan("") : Number(value);
}

TEST(DropCommandTest, OnASlopeOfItsBody) {
  // Three feet 2 m around the CoG and 1 m below it, every friction
  // coefficient 0.5, springs soft enough that the host's creep law holds:
  // 10 (kappa tan(slope) / mu)^2 m/s, kappa from the body file.
  DropArguments tripod;
  tripod.definition = WriteSet("tripod",
                               "N = 3\n"
                               "POINT_1 = 0 -1 2 1e5 1e3 0.5 0.5\n"
                               "POINT_2 = -1.7320508 -1 -1 1e5 1e3 0.5 0.5\n"
                               "POINT_3 = 1.7320508 -1 -1 1e5 1e3 0.5 0.5\n");
  tripod.class_name = "Tripod";
  tripod.mass = 1000;
  tripod.pmi = {2, 2, 2};
  tripod.size = 5;
  tripod.slope = 1;
  tripod.json = true;
  const double tan1 = std::tan(3.14159265358979 / 180);
  {
    SCOPED_TRACE(
        "on the Moon (ElevationResolution 0.5, kappa 2) it creeps too fast "
        "for the host to freeze it, and moves on for an hour; every key "
        "of the flat drop is still there");
    tripod.body = "Moon";
    const CommandOutput drop = Drop(tripod);
    ASSERT_EQ(drop.code, kExitOk) << drop.err;
    const double law = 1e4 * std::pow(2 * tan1 / 0.5, 2);
    EXPECT_EQ(JsonValue(drop.out, "kappa"), 2);
    EXPECT_EQ(JsonValue(drop.out, "slope_deg"), 1);
    EXPECT_NEAR(JsonValue(drop.out, "creep_along_mm_s"), law, 0.02 * law);
    EXPECT_NEAR(JsonValue(drop.out, "creep_across_mm_s"), 0, 0.01 * law);
    EXPECT_TRUE(std::isnan(JsonValue(drop.out, "comes_to_rest_at_s")));
    EXPECT_NEAR(JsonValue(drop.out, "drift_per_hour_m"), 3.6 * law,
                0.02 * 3.6 * law);
    const double rests = JsonValue(drop.out, "rests_up_to_deg");
    EXPECT_GT(rests, 0);
    EXPECT_LT(rests, 1);
    // What the search says of both ends of its last step, drop --slope says
    // too.
    const double fails = JsonValue(drop.out, "does_not_rest_on_deg");
    EXPECT_GT(fails, rests);
    EXPECT_LE(fails - rests, JsonValue(drop.out, "rests_up_to_step_deg"));
    DropArguments end = tripod;
    end.slope = rests;
    EXPECT_GT(JsonValue(Drop(end).out, "comes_to_rest_at_s"), 5);
    end.slope = fails;
    EXPECT_TRUE(std::isnan(JsonValue(Drop(end).out, "comes_to_rest_at_s")));
    // Nose downhill the CoG passes the nose foot at tan(a) = 2 / 1.
    EXPECT_NEAR(JsonValue(drop.out, "tips_over_deg"), 63.43, 0.01);
    for (const char* key : {"\"verdict\": \"keeps-moving\"", "\"rest\": ",
                            "\"points\": ", "\"max_stable_warp\": ",
                            "\"warp_steps\": ", "\"linear_estimate_warp\": "}) {
      EXPECT_THAT(drop.out, HasSubstr(key));
    }
  }
  {
    SCOPED_TRACE(
        "on Mars (ElevationResolution 1, kappa 1) the same slope lets it "
        "creep a quarter as fast, slowly enough to come to rest");
    tripod.body = "Mars";
    const CommandOutput drop = Drop(tripod);
    ASSERT_EQ(drop.code, kExitOk) << drop.err;
    EXPECT_EQ(JsonValue(drop.out, "kappa"), 1);
    EXPECT_GT(JsonValue(drop.out, "comes_to_rest_at_s"), 5);
    EXPECT_TRUE(std::isnan(JsonValue(drop.out, "drift_per_hour_m")));
    EXPECT_GT(JsonValue(drop.out, "rests_up_to_deg"), 1);
  }
  {
    SCOPED_TRACE(
        "right side downhill on the Moon, as text: it creeps across, and "
        "the report says on which slope and how the host leans its normal");
    tripod.body = "Moon";
    tripod.downhill = 90;
    tripod.json = false;
    const CommandOutput drop = Drop(tripod);
    ASSERT_EQ(drop.code, kExitOk) << drop.err;
    EXPECT_THAT(drop.out,
                HasSubstr("\nOn a slope of 1 deg, downhill 90 deg from the "
                          "nose towards the right side; the host's normal "
                          "leans 2.00 deg (kappa 2)\n"));
    // The definition's cell, below the slope table's "after (" heading.
    const std::string table = drop.out.substr(drop.out.find("\nOn a slope"));
    const std::size_t header = table.find("after (");
    const std::size_t column = header - table.rfind('\n', header) - 1;
    const std::size_t row = table.find("\n  creep along, across (mm/s) ");
    ASSERT_NE(row, std::string::npos);
    std::istringstream cells(table.substr(row + 1 + column));
    std::string along, across;
    cells >> along >> across;
    const double law = 1e4 * std::pow(2 * tan1 / 0.5, 2);
    EXPECT_NEAR(Number(across), law, 0.02 * law);
    EXPECT_THAT(drop.out, HasSubstr("\n  moves in an hour  "));
    EXPECT_THAT(drop.out, HasSubstr("\n  rests at x1 on slopes up to  "));
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
    const CommandOutput drop = Drop(ldef);
    ASSERT_EQ(drop.code, kExitOk) << drop.err;
    EXPECT_THAT(drop.out,
                HasSubstr("mass 2500 kg (Config\\Vessels\\LDEF.cfg)"));
    EXPECT_THAT(drop.out, HasSubstr("size 12 m, inertia 11.7 11.7 2.85 m^2"));
    EXPECT_THAT(drop.out, HasSubstr("before (its own: the host's default "
                                    "points)"));
    // The default points rest level: a measured zero is shown unsigned.
    const std::size_t row = drop.out.find("\n  pitch, roll (deg) ");
    ASSERT_NE(row, std::string::npos);
    const std::string attitude =
        drop.out.substr(row + 1, drop.out.find('\n', row + 1) - row - 1);
    EXPECT_THAT(attitude, HasSubstr(" 0.00, 0.00 "));
    EXPECT_THAT(attitude, ::testing::Not(HasSubstr("-0.00")));
  }
  {
    SCOPED_TRACE("a definition file that cannot be read is named");
    DropArguments mir;
    mir.definition = kData + "/Config/Vantrel/Reversed.cfg";
    const CommandOutput missing = Drop(mir);
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
    const CommandOutput refused = Drop(lander);
    EXPECT_EQ(refused.code, kExitUsage);
    EXPECT_THAT(refused.err, HasSubstr("refusing to write the drawing"));
    EXPECT_EQ(text(), before);
    const std::string drawing = OwnTempFile("lander-drop.svg");
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

// Three pads under a 1200 kg probe, at 10 frames a second, where the steps
// a player can select are quick to run.
const std::string kPads =
    "POINT_2 = -1.8 -1.5 -1 3e5 3e4 0.5 0.2\n"
    "POINT_3 = 1.8 -1.5 -1 3e5 3e4 0.5 0.2\n";

DropArguments Probe(const std::string& name, const std::string& points) {
  DropArguments probe;
  probe.definition = WriteSet(name, points);
  probe.class_name = "Probe";
  probe.mass = 1200;
  probe.fps = 10;
  return probe;
}

TEST(DropCommandTest, EveryVerdictIsNamedAndNoLineDeniesIt) {
  struct Case {
    const char* verdict;
    DropArguments arguments;
  };
  DropArguments unstable =
      Probe("lands", "N = 3\nPOINT_1 = 0 -1.5 2 3e5 3e4 0.5 0.2\n" + kPads);
  unstable.warp = 100;
  DropArguments short_run =
      Probe("lands", "N = 3\nPOINT_1 = 0 -1.5 2 3e5 3e4 0.5 0.2\n" + kPads);
  short_run.seconds = 3;
  DropArguments four_pads;
  four_pads.definition = kData + "/Config/Vantrel/FourPadLander.cfg";
  four_pads.class_name = "Probe";
  four_pads.mass = 8000;
  four_pads.fps = 10;
  const Case cases[] = {
      {"lands",
       Probe("lands", "N = 3\nPOINT_1 = 0 -1.5 2 3e5 3e4 0.5 0.2\n" + kPads)},
      {"unstable", unstable},
      // Soft pads give way under the weight, and hull points 1.3 m higher
      // catch the vessel: it rests with its pads beyond the depth cap.
      {"sinks", Probe("sinks",
                      "N = 6\nPOINT_1 = 0 -1.5 2 2000 2000 0.5 0.2\n"
                      "POINT_2 = -1.8 -1.5 -1 2000 2000 0.5 0.2\n"
                      "POINT_3 = 1.8 -1.5 -1 2000 2000 0.5 0.2\n"
                      "POINT_4 = 0 -0.2 2 3e5 3e4 0.5\n"
                      "POINT_5 = -1.8 -0.2 -1 3e5 3e4 0.5\n"
                      "POINT_6 = 1.8 -0.2 -1 3e5 3e4 0.5\n")},
      // The CoG behind the triangle of the only three pads.
      {"tips-over", Probe("tips",
                          "N = 3\nPOINT_1 = 0 -2.5 2.6 4e5 4e4 0.5 0.2\n"
                          "POINT_2 = -2.6 -2.5 0.3 4e5 4e4 0.5 0.2\n"
                          "POINT_3 = 2.6 -2.5 0.3 4e5 4e4 0.5 0.2\n")},
      {"keeps-moving", short_run},
      // Pads above the CoG.
      {"cog-below-ground", Probe("below",
                                 "N = 3\nPOINT_1 = 0 0.5 2 3e5 3e4 0.5 0.2\n"
                                 "POINT_2 = -1.8 0.5 -1 3e5 3e4 0.5 0.2\n"
                                 "POINT_3 = 1.8 0.5 -1 3e5 3e4 0.5 0.2\n")},
      {"negative-load", four_pads},
      // A nose leg half a metre shorter than the others.
      {"rests-tilted",
       Probe("tilted", "N = 3\nPOINT_1 = 0 -1 2 3e5 3e4 0.5 0.2\n" + kPads)},
      // Points 2 and 3 swapped: released, it stands; the host puts it down
      // landed upside down.
      {"unsafe-at-x1", Probe("upside",
                             "N = 3\nPOINT_1 = 0 -1.5 2 3e5 3e4 0.5 0.2\n"
                             "POINT_2 = 1.8 -1.5 -1 3e5 3e4 0.5 0.2\n"
                             "POINT_3 = -1.8 -1.5 -1 3e5 3e4 0.5 0.2\n")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.verdict);
    const CommandOutput drop = Drop(c.arguments);
    ASSERT_EQ(drop.code, kExitOk) << drop.err;
    EXPECT_EQ(AfterCell(drop.out, "verdict"), c.verdict);
    ExpectNoLineDeniesTheVerdict(drop.out);
  }
}

// The drawing of a drop as a reader sees it: each chart's value ticks,
// by chart name, and the whole SVG text.
struct Drawing {
  std::string svg;
  std::map<std::string, std::vector<std::string>> ticks;
};

Drawing Draw(DropArguments arguments, const std::string& name) {
  const std::string path = OwnTempFile(name + "-drop.svg");
  std::remove(path.c_str());
  arguments.svg = path;
  const CommandOutput drop = Drop(arguments);
  EXPECT_EQ(drop.code, kExitOk) << drop.err;
  std::ifstream file(path, std::ios::binary);
  Drawing drawing;
  drawing.svg.assign(std::istreambuf_iterator<char>(file), {});
  const std::regex chart(">(CoG height|pitch|roll) \\(");
  const std::regex tick("text-anchor=\"end\" fill=\"#495057\">([^<]*)<");
  std::string current;
  std::istringstream lines(drawing.svg);
  for (std::string line; std::getline(lines, line);) {
    std::smatch m;
    if (std::regex_search(line, m, chart)) current = m[1];
    if (!current.empty() && std::regex_search(line, m, tick)) {
      drawing.ticks[current].push_back(m[1]);
    }
  }
  return drawing;
}

TEST(DropCommandTest, TheDrawingShowsEachVerdictsMotionOnRoundScales) {
  const DropArguments lands =
      Probe("lands", "N = 3\nPOINT_1 = 0 -1.5 2 3e5 3e4 0.5 0.2\n" + kPads);
  {
    SCOPED_TRACE("a level landing: round ticks, a small motion drawn small");
    const Drawing drawing = Draw(lands, "lands");
    EXPECT_THAT(drawing.svg,
                HasSubstr("Probe: 1200 kg (--mass); Earth, g = 9.8202 m/s^2 "
                          "(Config\\Earth.cfg); x1 at 10 fps"));
    for (const auto& [chart, ticks] : drawing.ticks) {
      SCOPED_TRACE(chart);
      ASSERT_GE(ticks.size(), 2u);
      for (const std::string& tick : ticks) {
        EXPECT_TRUE(std::regex_match(tick, std::regex("-?\\d+(\\.\\d\\d?)?")))
            << tick;
        EXPECT_NE(tick, "-0");
      }
    }
    // The probe lands level: its pitch and roll charts span -1 to 1 deg,
    // ticks from the bottom up.
    EXPECT_EQ(drawing.ticks.at("roll").front(), "-1.0");
    EXPECT_EQ(drawing.ticks.at("pitch").back(), "1.0");
  }
  {
    SCOPED_TRACE("an unstable run ends its curves at the blow-up");
    DropArguments unstable = lands;
    unstable.warp = 20;
    const Drawing drawing = Draw(unstable, "unstable");
    EXPECT_THAT(drawing.svg, HasSubstr("blew up in the frame that ended at "
                                       "2.6 s"));
    EXPECT_THAT(drawing.svg, HasSubstr("side view at 0.6 s"));
    EXPECT_THAT(drawing.svg, ::testing::Not(HasSubstr("nan")));
  }
  {
    SCOPED_TRACE("a vessel going over backwards pitches on past 90 deg");
    DropArguments tips;
    tips.definition = WriteSet("tips",
                               "N = 3\nPOINT_1 = 0 -2.5 2.6 4e5 4e4 0.5 0.2\n"
                               "POINT_2 = -2.6 -2.5 0.3 4e5 4e4 0.5 0.2\n"
                               "POINT_3 = 2.6 -2.5 0.3 4e5 4e4 0.5 0.2\n");
    tips.class_name = "Probe";
    tips.mass = 8000;
    tips.pmi = {4, 4, 4};
    tips.size = 4;
    tips.fps = 10;
    const Drawing drawing = Draw(tips, "tips");
    EXPECT_GE(Number(drawing.ticks.at("pitch").back()), 150);
    EXPECT_EQ(drawing.ticks.at("roll").back(), "1.0");
    // Points 2 and 3 lie behind one another in the side view: one label.
    EXPECT_THAT(drawing.svg, HasSubstr(">2,3</text>"));
  }
}

TEST(DropCommandTest, TheSafeStepAndEveryStepBelowItLand) {
  // The probe's pads at 10 frames a second: the report's safe step, then
  // drop --landed --warp W and --switch --warp W for that step and every
  // step below it, and for the next step the start that failed.
  DropArguments probe =
      Probe("steps", "N = 3\nPOINT_1 = 0 -1.5 2 3e5 3e4 0.5 0.2\n" + kPads);
  probe.json = true;
  const CommandOutput report = Drop(probe);
  ASSERT_EQ(report.code, kExitOk) << report.err;
  EXPECT_THAT(report.out, HasSubstr("\"max_stable_warp\": 6,"));
  EXPECT_THAT(report.out,
              HasSubstr("{\"warp\": 7, \"h_s\": 0.07, \"landed\": "
                        "\"lands\", \"handed_over\": \"unstable\"}"));
  const auto verdict = [&](double warp, bool switched) {
    DropArguments step = probe;
    step.warp = warp;
    step.landed = !switched;
    step.switch_points = switched;
    const CommandOutput run = Drop(step);
    const std::size_t at = run.out.find("\"verdict\": \"");
    return run.out.substr(at + 12, run.out.find('"', at + 12) - at - 12);
  };
  for (const double warp : {0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0,
                            2.0, 3.0, 4.0, 5.0, 6.0}) {
    SCOPED_TRACE(warp);
    EXPECT_EQ(verdict(warp, false), "lands");
    EXPECT_EQ(verdict(warp, true), "lands");
  }
  EXPECT_EQ(verdict(7, true), "unstable");
}

}  // namespace
}  // namespace tools
