#include "tools/survey_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "command_output.h"
#include "files/disk_file_system.h"
#include "test_folder.h"
#include "tools/exit_codes.h"

namespace tools {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

// A host folder with three classes in three scenarios: a class definition,
// a name definition with a warning, a class without any, and a scenario
// that cannot be run.
class SurveyCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.CopyBodyFiles();
    folder_.Write("Config/Vessels/Lander.cfg", "Mass = 4000\nSize = 3\n");
    folder_.Write("Config/Vessels/Probe.cfg",
                  "Mass = 500\nPropellantResource1 = 300\n"
                  "TouchdowPoints = 0 -1 1  -1 -1 -1  1 -1 -1\n");
    folder_.WriteDefinition("Lander.cfg",
                            "N = 4\n"
                            "POINT_1 = 0 -2 2\n"
                            "POINT_2 = -2 -2 -2\n"
                            "POINT_3 = 2 -2 -2\n"
                            "POINT_4 = 0 2 0\n");
    folder_.WriteDefinition("Probe-7.cfg",
                            "N = 3\n"
                            "POINT_1 = 0 -1 1\n"
                            "POINT_2 = -1 -1 -1\n"
                            "POINT_3 = 1 -1 -1\n"
                            "COLOUR = red\n");
    const std::string moon = "  STATUS Landed Moon\nEND\n";
    folder_.Write("Scenarios/Moon.scn",
                  "BEGIN_SHIPS\n"
                  "L-1:Lander\n" +
                      moon + "L-2:lander\n" + moon + "Probe-7:Probe\n" + moon +
                      "Probe-8:Probe\n" + moon + "END_SHIPS\n");
    folder_.Write("Scenarios/Far/Rocks.scn",
                  "BEGIN_SHIPS\nL-3:Lander\n" + moon +
                      "Rock\n  STATUS Orbiting Earth\nEND\nEND_SHIPS\n");
    folder_.Write("Scenarios/Broken.scn",
                  "BEGIN_SHIPS\nX:Lander\n  MASS heavy\nEND\nEND_SHIPS\n");
  }

  CommandOutput Survey(SurveyArguments arguments) {
    arguments.root = folder_.path().string();
    arguments.plugin = VANTREL_TEST_PLUGIN;
    std::ostringstream out, err;
    const int code = SurveyCommand(arguments, disk, out, err);
    return {code, out.str(), err.str()};
  }

  TestFolder folder_;
  files::DiskFileSystem disk;
};

// The words of the table line that starts with `first`.
std::vector<std::string> TableRow(const std::string& out,
                                  const std::string& first) {
  std::istringstream lines(out);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    std::vector<std::string> row;
    std::string word;
    while (words >> word) row.push_back(word);
    if (!row.empty() && row[0] == first) return row;
  }
  return {};
}

TEST_F(SurveyCommandTest, EveryClassOfEveryScenario) {
  SurveyArguments table;
  const CommandOutput survey = Survey(table);
  EXPECT_EQ(survey.code, kExitInput) << survey.err;
  EXPECT_THAT(survey.err, HasSubstr("Broken.scn:3: error: "));
  EXPECT_THAT(survey.out, HasSubstr(": 3 classes, 6 vessels in 2 scenarios"));
  EXPECT_THAT(survey.out, HasSubstr("Left out: "));
  // class, scenarios, vessels, definition (two words), errors, warnings,
  // mass, mass from, on, g, drop without, drop with, on slopes. Judged on
  // the Moon its scenarios land them on; a vessel in orbit is not judged.
  const std::vector<std::string> lander = TableRow(survey.out, "Lander");
  ASSERT_GE(lander.size(), 15u);
  EXPECT_THAT(std::vector<std::string>(lander.begin(), lander.begin() + 15),
              ElementsAre("Lander", "/", "lander", "2", "3", "class",
                          "Config\\Vantrel\\Lander.cfg", "0", "0", "4000",
                          "Config\\Vessels\\Lander.cfg", "Moon", "1.6231",
                          "lands", "lands"));
  std::string slopes;
  for (std::size_t i = 15; i < lander.size(); ++i) {
    slopes += (i == 15 ? "" : " ") + lander[i];
  }
  EXPECT_TRUE(std::regex_match(
      slopes, std::regex("comes to rest on slopes up to [0-9.]+ deg; "
                         "creeps [0-9.]+ mm/s on 5 deg")))
      << slopes;
  // Below the table, what check says of each class file.
  EXPECT_THAT(
      survey.out,
      HasSubstr("\n  Probe: " +
                (folder_.path() / "Config" / "Vessels" / "Probe.cfg").string() +
                ":3:1: warning: 'TouchdowPoints' is "
                "probably 'TouchdownPoints'"));
  EXPECT_THAT(survey.out,
              HasSubstr("\n  no findings in the other class file\n"));
  EXPECT_THAT(TableRow(survey.out, "Rock"),
              ElementsAre("Rock", "1", "1", "none", "-", "-", "1000", "default",
                          "orbiting", "Earth", "-", "-", "-", "-"));
  {
    SCOPED_TRACE("one class, two rows: a name definition and none");
    SurveyArguments json;
    json.json = true;
    const CommandOutput doc = Survey(json);
    EXPECT_THAT(doc.out,
                HasSubstr("{\"class\": \"Probe\", \"spellings\": [\"Probe\"], "
                          "\"scenarios\": 1, \"vessels\": 1, \"definition\": "
                          "null, \"mass_kg\": 500"));
    EXPECT_THAT(doc.out,
                HasSubstr("\"vessels\": 1, \"definition\": {\"by\": \"name\", "
                          "\"file\": \"Config\\\\Vantrel\\\\Probe-7.cfg\", "
                          "\"errors\": 0, \"warnings\": 1}"));
    EXPECT_EQ(std::count(doc.out.begin(), doc.out.end(), '{'), 1 + 4 + 2);
    // Its tanks empty, as no PRPLEVEL fills them; judged full too.
    EXPECT_THAT(doc.out, HasSubstr("\"mass_kg\": 500, \"mass_from\": "
                                   "\"Config\\\\Vessels\\\\Probe.cfg\""));
    EXPECT_THAT(doc.out, HasSubstr("\"drop_without_full\": \"lands\""));
    EXPECT_THAT(survey.out, HasSubstr("lands empty and full"));
  }
  {
    SCOPED_TRACE("--mass CLASS=KG: the class's mass, judged at it");
    SurveyArguments heavy;
    heavy.class_masses = {{"LANDER", 160000.0}};
    const CommandOutput survey_heavy = Survey(heavy);
    const std::vector<std::string> row = TableRow(survey_heavy.out, "Lander");
    EXPECT_THAT(row,
                ::testing::IsSupersetOf({"160000", "--mass", "Moon", "1.6231"}))
        << survey_heavy.out;
  }
}

#if !defined(_WIN32)
// Runs headless Chromium on `url`; its DOM after the page's scripts ran.
std::optional<std::string> RenderedDom(const std::string& url,
                                       const fs::path& profile) {
  const std::string command =
      "chromium --headless --no-sandbox --disable-gpu "
      "--disable-background-networking --disable-dev-shm-usage "
      "--user-data-dir='" +
      profile.string() + "' --dump-dom '" + url + "' 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return std::nullopt;
  std::string dom;
  char buffer[4096];
  while (const std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) {
    dom.append(buffer, got);
  }
  if (pclose(pipe) != 0) return std::nullopt;
  return dom;
}

// The first cell of every row of the table's body, in the order shown.
std::vector<std::string> FirstCells(const std::string& html) {
  std::vector<std::string> cells;
  const std::regex row("<tr data-order=\"\\d+\"><td>([^<]*)</td>");
  for (auto it = std::sregex_iterator(html.begin(), html.end(), row);
       it != std::sregex_iterator(); ++it) {
    cells.push_back((*it)[1]);
  }
  return cells;
}
#endif

TEST_F(SurveyCommandTest, PageRendersAndSortsInChromium) {
#if defined(_WIN32)
  GTEST_SKIP() << "the page is rendered with Chromium on Linux";
#else
  if (std::system("command -v chromium >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "chromium is not installed";
  }
  TestFolder browser;
  const fs::path page = browser.path() / "survey.html";
  SurveyArguments html;
  html.html = page.string();
  ASSERT_EQ(Survey(html).code, kExitInput);
  std::ifstream file(page, std::ios::binary);
  const std::string written(std::istreambuf_iterator<char>(file), {});
  EXPECT_THAT(FirstCells(written),
              ElementsAre("Lander / lander", "Probe", "Probe", "Rock"));
  // Rendered, and sorted by the page's script on opening: most warnings
  // first, equal ones in the survey's order; the heading says so.
  const std::string url = "file://" + page.string() + "#sort=warnings-desc";
  const auto shown = RenderedDom(url, browser.path() / "profile");
  ASSERT_TRUE(shown) << "chromium failed on " << url;
  EXPECT_THAT(FirstCells(*shown),
              ElementsAre("Probe", "Lander / lander", "Probe", "Rock"));
  EXPECT_THAT(*shown, HasSubstr("data-key=\"warnings\" data-type=\"number\" "
                                "aria-sort=\"descending\""));
  EXPECT_THAT(*shown, HasSubstr("<section id=\"drawing-1\">"));
  EXPECT_THAT(*shown, HasSubstr("<svg xmlns=\"http://www.w3.org/2000/svg\""));
#endif
}

}  // namespace
}  // namespace tools
