#include "tools/show_command.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "files/disk_file_system.h"
#include "test_folder.h"
#include "tools/exit_codes.h"
#include "tools/run_command.h"
#include "tools/survey_command.h"

namespace tools {
namespace {

using Rows = std::vector<std::vector<std::string>>;

// The numbers of the point rows that follow `heading` in `text`: every
// line that starts with a point number, up to the first that does not.
Rows PointRows(const std::string& text, const std::string& heading) {
  Rows rows;
  std::istringstream lines(text.substr(text.find(heading)));
  std::string line;
  std::getline(lines, line);
  bool started = false;
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    std::vector<std::string> row;
    std::string word;
    while (row.size() < 8 && words >> word) {
      if (!word.empty() && word.back() == '*') word.pop_back();
      row.push_back(word);
    }
    const bool point =
        !row.empty() && !row[0].empty() &&
        row[0].find_first_not_of("0123456789") == std::string::npos;
    if (row.empty() || row[0] == "#") continue;
    if (!point) {
      if (started) break;
      continue;
    }
    started = true;
    rows.push_back(row);
  }
  return rows;
}

class ShowCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.CopyBodyFiles();
    folder_.WriteDefinition("Eagle-2.cfg",
                            "N = 4\n"
                            "POINT_1 = 0 -2.2 4.5 3e5 3e4 0.5 0.2\n"
                            "POINT_2 = -3.2 -2.2 -3 3e5 3e4 0.5 0.2\n"
                            "POINT_3 = 3.2 -2.2 -3 3e5 3e4 0.5 0.2\n"
                            "POINT_4 = 0 3.5 -2 1e6 1e5 0.8 0.1\n");
    folder_.WriteDefinition("Lander.cfg",
                            "; springs and friction left to completion\n"
                            "N = 4\n"
                            "POINT_1 = 0 -1.5 2\n"
                            "POINT_2 = -1.8 -1.5 -1 5e4 1e3 0.4\n"
                            "POINT_3 = 1.8 -1.5 -1\n");
    folder_.WriteDefinition("Short.cfg", "N = 2\n");
    folder_.Write("Scenarios/Test.scn",
                  "BEGIN_SHIPS\n"
                  "Eagle-2:Lander\n  MASS 15000\nEND\n"
                  "Probe-1:Lander\n  MASS 1200\nEND\n"
                  "Short:Lander\n  MASS 900\nEND\n"
                  "END_SHIPS\n");
  }

  std::string Run() {
    RunArguments arguments;
    arguments.root = folder_.path().string();
    arguments.scenarios = {"Test.scn"};
    arguments.plugin = VANTREL_TEST_PLUGIN;
    std::ostringstream out, err;
    EXPECT_EQ(RunCommand(arguments, disk, out, err), kExitOk) << err.str();
    return out.str();
  }

  std::string Show(const std::string& name, double mass,
                   const std::string& svg = "") {
    ShowArguments arguments;
    arguments.root = folder_.path().string();
    arguments.name = name;
    arguments.class_name = "Lander";
    arguments.mass = mass;
    arguments.plugin = VANTREL_TEST_PLUGIN;
    if (!svg.empty()) arguments.svg = svg;
    std::ostringstream out, err;
    EXPECT_EQ(ShowCommand(arguments, disk, out, err), kExitOk) << err.str();
    return out.str();
  }

  TestFolder folder_;
  files::DiskFileSystem disk;
};

TEST_F(ShowCommandTest, ShowsWhatRunHandsOverForTheSameVessel) {
  const std::string run = Run();
  const std::map<std::string, double> masses = {
      {"Eagle-2", 15000}, {"Probe-1", 1200}, {"Short", 900}};
  for (const auto& [name, mass] : masses) {
    SCOPED_TRACE(name);
    const Rows shown = PointRows(Show(name, mass), "Touchdown points");
    const Rows ran = PointRows(run, "  " + name + ": ");
    ASSERT_FALSE(ran.empty());
    EXPECT_EQ(shown, ran);
  }
}

TEST_F(ShowCommandTest, ExplainsTheLookupAndWhereValuesCameFrom) {
  const std::string probe = Show("Probe-1", 1200);
  EXPECT_NE(probe.find("name   Config\\Vantrel\\Probe-1.cfg  not found"),
            std::string::npos)
      << probe;
  EXPECT_NE(probe.find("N = 4 (line 2): applied"), std::string::npos);
  // Point 4 has no item: it repeats point 3's text.
  EXPECT_NE(probe.find("Lander.cfg:5 (POINT_4 missing; repeats POINT_3)"),
            std::string::npos)
      << probe;
  // Point 2's own springs and friction are overwritten by completion.
  EXPECT_NE(probe.find("11772.000*"), std::string::npos);
  EXPECT_NE(probe.find("stiffness, damping: completion"), std::string::npos);
  EXPECT_NE(probe.find("mu, mu_lng: completion"), std::string::npos);

  const std::string eagle = Show("Eagle-2", 15000);
  EXPECT_NE(eagle.find("0.800*  Eagle-2.cfg:5"), std::string::npos) << eagle;
  EXPECT_NE(eagle.find("mu_lng from point 4 on: the module sets it to mu "
                       "(the seventh number written is ignored: point 4)\n"),
            std::string::npos)
      << eagle;
  // Probe-1's point 4 repeats a text of three numbers: no seventh to ignore.
  EXPECT_NE(probe.find("mu_lng from point 4 on: the module sets it to mu\n"),
            std::string::npos)
      << probe;
  EXPECT_EQ(probe.find("seventh"), std::string::npos);
  EXPECT_EQ(eagle.find("completion"), std::string::npos);

  const std::string fallback = Show("Short", 900);
  EXPECT_NE(fallback.find("line 1: N = 2: a definition needs at least 3 "
                          "points; the module ignores the file and looks "
                          "further"),
            std::string::npos)
      << fallback;
  EXPECT_NE(fallback.find("class  Config\\Vantrel\\Lander.cfg"),
            std::string::npos);
}

TEST_F(ShowCommandTest, MarksOnlyWhatThePluginChanged) {
  // The explanation reads numbers as the plug-in does: odd spellings are
  // not marked as changed, and neither are values after a stop.
  folder_.WriteDefinition("Odd.cfg",
                          "N = 4\n"
                          "POINT_1 = 0x1p1 -1.5 +2 3e5 3E4 .5 5e-1\n"
                          "POINT_2 = -1.8 -1.5e0 -1 3e5 3e4 0.5 1.5abc\n"
                          "POINT_3 = 1.8 -1.5 -1 3e5 3e4abc 0.5 0.2\n"
                          "POINT_4 = 0 -1 -0 inf 1e4 nan 7\n");
  const std::string odd = Show("Odd", 100);
  const Rows rows = PointRows(odd, "Touchdown points");
  ASSERT_EQ(rows.size(), 4u) << odd;
  EXPECT_EQ(rows[0][1], "2.000");
  EXPECT_EQ(rows[2][5], "30000.000");
  EXPECT_EQ(rows[2][6], "0.000");
  // Only point 4's longitudinal friction is not what its text says.
  const std::string table = odd.substr(odd.find("Touchdown points"));
  EXPECT_EQ(table.find('*'), table.find("nan*") + 3) << odd;
  EXPECT_NE(table.find("mu_lng from point 4 on: the module sets it to mu "
                       "(the seventh number written is ignored: point 4)\n"),
            std::string::npos)
      << odd;
}

TEST_F(ShowCommandTest, WithoutADefinitionTheVesselKeepsItsPoints) {
  ShowArguments arguments;
  arguments.root = folder_.path().string();
  arguments.name = "Rover";
  arguments.mass = 800;
  arguments.plugin = VANTREL_TEST_PLUGIN;
  std::ostringstream out, err;
  EXPECT_EQ(ShowCommand(arguments, disk, out, err), kExitOk);
  EXPECT_NE(out.str().find("No definition applied"), std::string::npos);
  EXPECT_NE(out.str().find("0.100  the host's default points"),
            std::string::npos)
      << out.str();
  // A class file's TouchdownPoints are the vessel's own, with the host's
  // springs and friction.
  folder_.Write("Config/Vessels/Rover.cfg",
                "Module = Rover\nTouchdownPoints = 0 -1 3 -2 -1 -2 2 -1 -2\n");
  std::ostringstream own;
  EXPECT_EQ(ShowCommand(arguments, disk, own, err), kExitOk);
  EXPECT_NE(own.str().find("1   0.000  -1.000   3.000  1000000.000  "
                           "100000.000  0.500   0.100  "
                           "Config\\Vessels\\Rover.cfg:2 TouchdownPoints"),
            std::string::npos)
      << own.str();
  // So are the points of a hull, with the host's values where a line
  // leaves them out; a misspelt TouchdownPoints does not replace them.
  folder_.Write("Config/Vessels/Rover.cfg",
                "TouchDowPoints = 0 -1 3 -2 -1 -2 2 -1 -2\n"
                "CollisionHull = Vessels\\Rover_hull\n");
  folder_.Write("Config/Vessels/Rover_hull.dat",
                "4\n0 -1 3 2e5 1e3 0.2\n-2 -1 -2\n2 -1 -2 1e5\n0 1 0\n");
  std::ostringstream hull;
  EXPECT_EQ(ShowCommand(arguments, disk, hull, err), kExitOk);
  const Rows rows = PointRows(hull.str(), "Touchdown points");
  ASSERT_EQ(rows.size(), 4u) << hull.str();
  EXPECT_EQ(rows[0], (std::vector<std::string>{"1", "0.000", "-1.000", "3.000",
                                               "200000.000", "1000.000",
                                               "0.200", "0.100"}));
  EXPECT_EQ(rows[2], (std::vector<std::string>{"3", "2.000", "-1.000", "-2.000",
                                               "100000.000", "100000.000",
                                               "0.500", "0.100"}));
  EXPECT_NE(hull.str().find("Config\\Vessels\\Rover.cfg:2 CollisionHull "
                            "Config\\Vessels\\Rover_hull.dat"),
            std::string::npos)
      << hull.str();
}

TEST_F(ShowCommandTest, WithoutAMassTheClassFileGivesIt) {
  folder_.Write("Config/Vessels/Lander.cfg", "Size = 4\nMass = 1200\n");
  ShowArguments arguments;
  arguments.root = folder_.path().string();
  arguments.name = "Probe-1";
  arguments.class_name = "Lander";
  arguments.plugin = VANTREL_TEST_PLUGIN;
  std::ostringstream out, err;
  EXPECT_EQ(ShowCommand(arguments, disk, out, err), kExitOk) << err.str();
  EXPECT_NE(out.str().find("Vessel Probe-1, class Lander, mass 1200 kg "
                           "(Config\\Vessels\\Lander.cfg)"),
            std::string::npos)
      << out.str();
  // The same points as with --mass 1200.
  EXPECT_EQ(PointRows(out.str(), "Touchdown points"),
            PointRows(Show("Probe-1", 1200), "Touchdown points"));
}

TEST_F(ShowCommandTest, RestingNumbersFollowFromStatics) {
  // Eagle-2: the nose point 4.5 m ahead, the mains 3 m behind carry 3/7.5 of
  // the weight between them: so the host's placement on points 1-3. At rest
  // on the ground the vessel leans 0.39 degrees onto its softer nose gear,
  // which then carries a little more; the tail fin tip carries nothing.
  // The weight is the Earth's: 15000 kg x 9.8202 m/s^2 from its body file.
  const std::string eagle = Show("Eagle-2", 15000);
  EXPECT_NE(eagle.find("1   59212.6  40.2 %           0.1974"),
            std::string::npos)
      << eagle;
  EXPECT_NE(eagle.find("2   44045.3  29.9 %"), std::string::npos);
  EXPECT_NE(eagle.find("4       0.0   0.0 %   off the ground"),
            std::string::npos);
  EXPECT_NE(eagle.find("pitch -0.39 deg"), std::string::npos);
  EXPECT_NE(eagle.find("(points 1-3 alone): the CoG 2.0330 m above the "
                       "ground, loads 40.0 % / 30.0 % / 30.0 %."),
            std::string::npos);
  EXPECT_NE(eagle.find("lands (LANDED at "), std::string::npos);
  EXPECT_NE(eagle.find(
                "\nOn slopes of the body Earth, released alike, nose downhill: "
                "comes to rest on slopes up to "),
            std::string::npos);
  // Points 2 and 3 without springs (the first point's stiffness stops
  // completion): point 1 carries all, the vessel sinks onto its side, and
  // the two have no damping ratio, for that reason.
  folder_.WriteDefinition("Balanced.cfg",
                          "N = 3\nPOINT_1 = 0 -1 2 1e5 1e4 0.5\n"
                          "POINT_2 = -1 -1 0\nPOINT_3 = 1 -1 0\n");
  const std::string balanced = Show("Balanced", 1000);
  EXPECT_NE(balanced.find("\n  sinks;"), std::string::npos) << balanced;
  EXPECT_NE(
      balanced.find("2       0.0    0.0 %   off the ground              -"),
      std::string::npos);
  EXPECT_NE(balanced.find("  point 2 has no spring (stiffness 0): it carries "
                          "nothing.\n"),
            std::string::npos);
}

TEST_F(ShowCommandTest, SaysWhatCheckSaysAboutTheFileThatApplied) {
  const std::string rest =
      "POINT_2 = -1.8 -1.5 -1 3e5 3e4 0.5 0.2\n"
      "POINT_3 = 1.8 -1.5 -1 3e5 3e4 0.5 0.2\n";
  {
    SCOPED_TRACE("a number cut short: the point as the plug-in reads it");
    folder_.WriteDefinition(
        "Malformed.cfg", "N = 3\nPOINT_1 = 0 -1e 2 3e5 3e4 0.5 0.2\n" + rest);
    const std::string out = Show("Malformed", 1000);
    EXPECT_NE(out.find("[malformed-number]"), std::string::npos) << out;
    EXPECT_NE(out.find("point1 : 0.000 0.000 0.000 9810.000"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("1   0.000    0.000    0.000   9810.000*"),
              std::string::npos)
        << out;
  }
  {
    SCOPED_TRACE("the damping left out: the stiffness given is discarded");
    folder_.WriteDefinition("Undamped.cfg",
                            "N = 3\nPOINT_1 = 0 -1.5 2 3e5\n" + rest);
    const std::string out = Show("Undamped", 1000);
    EXPECT_NE(out.find("[completion-discards]"), std::string::npos) << out;
  }
  {
    SCOPED_TRACE("a value longer than 255 characters is read whole");
    folder_.WriteDefinition("Long.cfg",
                            "N = 3\nPOINT_1 = 0 -1.5 2 3e5 3e4 0.5" +
                                std::string(250, ' ') + "0.45\n" + rest);
    const Rows rows = PointRows(Show("Long", 1000), "Touchdown points");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0][7], "0.450");
  }
  {
    SCOPED_TRACE("a point without a spring");
    folder_.WriteDefinition("Springless.cfg",
                            "N = 3\nPOINT_1 = 0 -1.5 2 3e5 3e4 0.5 0.2\n"
                            "POINT_2 = -1.8 -1.5 -1 3e5 3e4 0.5 0.2\n"
                            "POINT_3 = 1.8 -1.5 -1 0 0 0.5 0.2\n");
    const std::string out = Show("Springless", 1000);
    EXPECT_NE(out.find("[no-spring]"), std::string::npos) << out;
    EXPECT_NE(out.find("point 3 has no spring (stiffness 0): it carries "
                       "nothing"),
              std::string::npos)
        << out;
  }
  {
    SCOPED_TRACE("a value that is not finite");
    folder_.WriteDefinition(
        "Endless.cfg", "N = 3\nPOINT_1 = 0 -1.5 2 inf 3e4 0.5 0.2\n" + rest);
    EXPECT_NE(Show("Endless", 1000).find("[not-finite]"), std::string::npos);
  }
  {
    SCOPED_TRACE(
        "upside down: dropped it stands, the host's placement turns it over, "
        "so it is not safe at x1, and the drawing says so");
    folder_.WriteDefinition("Upside.cfg",
                            "N = 3\nPOINT_1 = 0 -1.5 2 3e5 3e4 0.5 0.2\n"
                            "POINT_2 = 1.8 -1.5 -1 3e5 3e4 0.5 0.2\n"
                            "POINT_3 = -1.8 -1.5 -1 3e5 3e4 0.5 0.2\n");
    const std::string svg = (folder_.path() / "upside.svg").string();
    const std::string out = Show("Upside", 1000, svg);
    EXPECT_NE(out.find("[upside-down]"), std::string::npos) << out;
    EXPECT_NE(out.find("(points 1-3 alone): The first three points give a "
                       "downward normal: the host sets the vessel upside "
                       "down."),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("  unsafe-at-x1 (LANDED at "), std::string::npos) << out;
    std::ifstream file(svg);
    const std::string drawing((std::istreambuf_iterator<char>(file)),
                              std::istreambuf_iterator<char>());
    EXPECT_NE(drawing.find("vessel upside down</text>"), std::string::npos);
  }
}

// The lines of `text` that start with `start`.
std::vector<std::string> LinesStartingWith(const std::string& text,
                                           const std::string& start) {
  std::vector<std::string> found;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.rfind(start, 0) == 0) found.push_back(line);
  }
  return found;
}

// A name the plug-in never opens (a device, a climb out of the folder), or
// one whose file is missing: the class file applies, and run, show and
// survey all say so, show with the reason the name's file was not read.
TEST_F(ShowCommandTest, ANameNotOpenedLeavesItToTheClassInEveryCommand) {
  struct Case {
    std::string name;
    std::string why;
  };
  const Case cases[] = {
      {"COM1.txt", "not opened: 'COM1.txt' names a Windows device"},
      {"CON", "not opened: 'CON' names a Windows device"},
      {"Fleet\\..\\x",
       "not opened: the key holds '..', which Windows reads as '..'"},
      {"Fleet\\. .\\x",
       "not opened: the key holds '. .', which Windows reads as '..'"},
      // "...cfg" is a name like any other, which is not there.
      {"..", "not found (no such file, or not readable)"},
  };
  std::string ships;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ShowArguments arguments;
    arguments.root = folder_.path().string();
    arguments.name = c.name;
    arguments.class_name = "Lander";
    arguments.mass = 1000;
    arguments.plugin = VANTREL_TEST_PLUGIN;
    std::ostringstream out, err;
    EXPECT_EQ(ShowCommand(arguments, disk, out, err), kExitOk) << err.str();
    const auto name = LinesStartingWith(out.str(), "  name   ");
    ASSERT_EQ(name.size(), 1u) << out.str();
    EXPECT_NE(name[0].find("Config\\Vantrel\\" + c.name + ".cfg"),
              std::string::npos);
    EXPECT_NE(name[0].find(c.why), std::string::npos) << name[0];
    const auto by_class = LinesStartingWith(out.str(), "  class  ");
    ASSERT_EQ(by_class.size(), 1u) << out.str();
    EXPECT_NE(by_class[0].find("Lander.cfg; N = 4 (line 2): applied"),
              std::string::npos)
        << by_class[0];
    // A scenario's names hold no blanks.
    if (c.name.find(' ') == std::string::npos) {
      ships += c.name + ":Lander\nEND\n";
    }
  }
  folder_.Write("Scenarios/Unsafe.scn",
                "BEGIN_SHIPS\n" + ships + "END_SHIPS\n");

  RunArguments run;
  run.root = folder_.path().string();
  run.scenarios = {"Unsafe"};
  run.plugin = VANTREL_TEST_PLUGIN;
  std::ostringstream out, err;
  ASSERT_EQ(RunCommand(run, disk, out, err), kExitOk) << err.str();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.name.find(' ') != std::string::npos) continue;
    const auto row = LinesStartingWith(out.str(), "  " + c.name + " ");
    ASSERT_EQ(row.size(), 1u) << out.str();
    EXPECT_NE(row[0].find("class  Config\\Vantrel\\Lander.cfg"),
              std::string::npos)
        << row[0];
  }

  // Survey: the four vessels of the class that weigh the default, in one
  // row for the class file.
  SurveyArguments survey;
  survey.root = folder_.path().string();
  survey.plugin = VANTREL_TEST_PLUGIN;
  std::ostringstream table;
  ASSERT_EQ(SurveyCommand(survey, disk, table, err), kExitOk) << err.str();
  std::vector<std::string> rows;
  for (const std::string& row : LinesStartingWith(table.str(), "  Lander ")) {
    if (row.find(" default ") != std::string::npos) rows.push_back(row);
  }
  ASSERT_EQ(rows.size(), 1u) << table.str();
  EXPECT_NE(rows[0].find(" 4  class Config\\Vantrel\\Lander.cfg"),
            std::string::npos)
      << rows[0];
}

// A file the plug-in opens and passes over, which the author reads as a
// definition: run's vessel table and show name the reason in check's
// words, with its fix, and the class file applies.
TEST_F(ShowCommandTest, RunAndShowSayWhyAFileWasPassedOver) {
  const std::string points =
      "POINT_1 = 0 -1 1\r\nPOINT_2 = -1 -1 -1\r\nPOINT_3 = 1 -1 -1\r\n";
  struct Case {
    std::string name;
    std::string text;
    std::string check;  // what run and show quote of check
  };
  const Case cases[] = {
      // Saved by Notepad as UTF-8: the author sees N = 3.
      {"Bom", "\xEF\xBB\xBFN = 3\r\n" + points,
       "Bom.cfg:1:1: warning: the file starts with a UTF-8 byte-order mark "
       "(Notepad writes one); the host reads it as part of the key, so this "
       "line's key is not 'N' and the module never reads it. Save the file "
       "without the mark"},
      {"Wide",
       std::string("N\0=\0"
                   "3\0\r\0\n\0",
                   10),
       "Wide.cfg: error: the file is saved as UTF-16"},
      {"Typo", "Nn = 3\r\n" + points,
       "Typo.cfg:1:1: warning: unknown key 'Nn'; did you mean 'N'?"},
      {"Bare", points,
       "Bare.cfg:1: error: there is no N; the module reads 0 points and "
       "ignores the file: add the line N = 3"},
  };
  std::string ships;
  for (const Case& c : cases) {
    folder_.WriteDefinition(c.name + ".cfg", c.text);
    ships += c.name + ":Lander\nEND\n";
  }
  folder_.Write("Scenarios/Passed.scn",
                "BEGIN_SHIPS\n" + ships + "END_SHIPS\n");
  RunArguments run;
  run.root = folder_.path().string();
  run.scenarios = {"Passed"};
  run.plugin = VANTREL_TEST_PLUGIN;
  std::ostringstream out, err;
  ASSERT_EQ(RunCommand(run, disk, out, err), kExitOk) << err.str();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto row = LinesStartingWith(out.str(), "  " + c.name + " ");
    ASSERT_EQ(row.size(), 1u) << out.str();
    EXPECT_NE(
        row[0].find("class  Config\\Vantrel\\Lander.cfg (Config\\Vantrel\\" +
                    c.name + ".cfg passed over, see below)"),
        std::string::npos)
        << row[0];
    EXPECT_EQ(LinesStartingWith(out.str(), "  Config\\Vantrel\\" + c.name +
                                               ".cfg passed over; vantrel "
                                               "check says:")
                  .size(),
              1u)
        << out.str();
    EXPECT_NE(out.str().find(c.check), std::string::npos) << out.str();
  }

  const std::string shown = Show("Bom", 1000);
  const auto name = LinesStartingWith(shown, "  name   ");
  ASSERT_EQ(name.size(), 1u) << shown;
  EXPECT_NE(name[0].find("Bom.cfg; there is no N"), std::string::npos)
      << name[0];
  EXPECT_NE(shown.find("  Config\\Vantrel\\Bom.cfg passed over; vantrel check "
                       "says:\n    "),
            std::string::npos)
      << shown;
  EXPECT_NE(shown.find(cases[0].check), std::string::npos) << shown;
}

TEST_F(ShowCommandTest, BadInputs) {
  ShowArguments arguments;
  arguments.name = "X";
  arguments.mass = 1;
  arguments.plugin = VANTREL_TEST_PLUGIN;
  std::ostringstream out, err;
  arguments.root = (folder_.path() / "nowhere").string();
  EXPECT_EQ(ShowCommand(arguments, disk, out, err), kExitInput);
  arguments.root = folder_.path().string();
  arguments.svg = (folder_.path() / "no" / "such" / "folder.svg").string();
  EXPECT_EQ(ShowCommand(arguments, disk, out, err), kExitInput);
  // A drawing over a definition is refused, and the definition kept.
  const auto definition = folder_.WriteDefinition("X.cfg", "N = 3\n");
  arguments.svg = definition.string();
  EXPECT_EQ(ShowCommand(arguments, disk, out, err), kExitUsage);
  EXPECT_EQ(std::filesystem::file_size(definition), 6u);
  arguments.svg.reset();
  arguments.plugin = (folder_.path() / "none.so").string();
  EXPECT_EQ(ShowCommand(arguments, disk, out, err), kExitPlugin);
}

}  // namespace
}  // namespace tools
