// Bad scenarios: each must give a problem that names its line and says what
// is wrong, and keep the vessels that are sound.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/scenario.h"

namespace {

struct ScenarioCase {
  const char* what;
  std::string text;
  int line;                          // the line the problem names
  const char* message;               // the text the problem holds
  bool warning;                      // a warning, not an error
  std::vector<std::string> vessels;  // the names read
};

TEST(BadScenarioTest, ProblemsNameTheirLine) {
  const ScenarioCase cases[] = {
      {"a vessel without END at the end of the file",
       "BEGIN_SHIPS\nA:B\nEND\nC:D\n  MASS 5\n",
       4,
       "has no END",
       false,
       {"A", "C"}},
      {"a vessel without END before END_SHIPS",
       "BEGIN_SHIPS\nA:B\n  MASS 5\nEND_SHIPS\n",
       2,
       "has no END before END_SHIPS at line 4",
       false,
       {"A"}},
      {"a duplicate vessel name",
       "BEGIN_SHIPS\nA:B\nEND\nA:C\nEND\nE:F\nEND\nEND_SHIPS\n",
       4,
       "'A' is already used at line 2",
       false,
       {"A", "A", "E"}},
      {"no ships section",
       "BEGIN_DESC\nA:B\nEND_DESC\n",
       0,
       "no BEGIN_SHIPS section",
       true,
       {}},
      {"a ships section without END_SHIPS",
       "BEGIN_SHIPS\nA:B\nEND\n",
       1,
       "BEGIN_SHIPS has no END_SHIPS",
       false,
       {"A"}},
      {"a vessel line with a blank",
       "BEGIN_SHIPS\nA B:C\nEND\nEND_SHIPS\n",
       2,
       "expected Name:Class",
       false,
       {}},
      {"a mass that is not finite",
       "BEGIN_SHIPS\nA:B\n  MASS nan\nEND\nC:D\n  MASS 1e400\nEND\nEND_SHIPS\n",
       3,
       "MASS 'nan' is not a positive, finite number",
       false,
       {"A", "C"}},
      {"a spawn step of 0",
       "BEGIN_SHIPS\nA:B\n  SPAWN_STEP 0\nEND\nEND_SHIPS\n",
       3,
       "SPAWN_STEP '0' is not a step number",
       false,
       {"A"}},
  };
  for (const ScenarioCase& c : cases) {
    SCOPED_TRACE(c.what);
    const formats::Scenario scenario = formats::ParseScenario(c.text);
    const auto& problems = c.warning ? scenario.warnings : scenario.errors;
    ASSERT_FALSE(problems.empty());
    EXPECT_EQ(problems[0].line, c.line);
    EXPECT_NE(problems[0].message.find(c.message), std::string::npos)
        << problems[0].message;
    std::vector<std::string> names;
    for (const auto& vessel : scenario.vessels) names.push_back(vessel.name);
    EXPECT_EQ(names, c.vessels);
  }
}

}  // namespace
