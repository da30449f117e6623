// Exit codes as a script sees them: every command gives the same code for
// the same kind of problem.
#include "exit_codes.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>

#include "disk_file_system.h"
#include "drop_command.h"
#include "init_command.h"
#include "run_command.h"
#include "show_command.h"
#include "survey_command.h"
#include "test_folder.h"

namespace tools {
namespace {

// An installation with one vessel of class Lander and its definition.
class ExitCodesTest : public ::testing::Test {
 protected:
  ExitCodesTest() {
    folder_.WriteDefinition("Lander.cfg",
                            "N = 3\nPOINT_1 = 0 -1 2\nPOINT_2 = -1 -1 -1\n"
                            "POINT_3 = 1 -1 -1\n");
    folder_.Write("Scenarios/Test.scn",
                  "BEGIN_SHIPS\nL-1:Lander\n  MASS 1000\nEND\nEND_SHIPS\n");
  }

  // The exit code of each command that loads a plug-in, run on `root`
  // with the plug-in `plugin`, writing its output (if `output` is given)
  // there.
  struct Codes {
    int run, show, survey, drop;
  };
  // Every command gave `expected`.
  static void ExpectAll(const Codes& codes, int expected) {
    EXPECT_EQ(codes.run, expected) << "run";
    EXPECT_EQ(codes.show, expected) << "show";
    EXPECT_EQ(codes.survey, expected) << "survey";
    EXPECT_EQ(codes.drop, expected) << "drop";
  }

  Codes CodesOf(const std::string& root, const std::string& plugin,
                const std::optional<std::string>& output = std::nullopt) {
    std::ostringstream out, err;
    standin::DiskFileSystem disk;
    RunArguments run;
    run.root = root;
    run.scenarios = {"Test.scn"};
    run.plugin = plugin;
    run.log_file = output;
    ShowArguments show;
    show.root = root;
    show.name = "L-1";
    show.class_name = "Lander";
    show.plugin = plugin;
    show.svg = output;
    SurveyArguments survey;
    survey.root = root;
    survey.plugin = plugin;
    survey.html = output;
    DropArguments drop;
    drop.root = root;
    drop.name = "L-1";
    drop.class_name = "Lander";
    drop.mass = 1000.0;
    drop.plugin = plugin;
    drop.svg = output;
    return {RunCommand(run, disk, out, err), ShowCommand(show, disk, out, err),
            SurveyCommand(survey, disk, out, err),
            DropCommand(drop, disk, out, err)};
  }

  TestFolder folder_;
};

TEST_F(ExitCodesTest, EachKindOfProblemHasOneCodeInEveryCommand) {
  const std::string root = folder_.path().string();
  {
    SCOPED_TRACE("done");
    const Codes codes = CodesOf(root, VANTREL_TEST_PLUGIN);
    ExpectAll(codes, kExitOk);
  }
  {
    SCOPED_TRACE("no host folder");
    const Codes codes =
        CodesOf((folder_.path() / "missing").string(), VANTREL_TEST_PLUGIN);
    ExpectAll(codes, kExitInput);
    std::ostringstream out, err;
    standin::DiskFileSystem disk;
    InitArguments init;
    init.root = (folder_.path() / "missing").string();
    init.class_name = "Lander";
    EXPECT_EQ(InitCommand(init, disk, out, err), kExitInput);
  }
  {
    SCOPED_TRACE("a plug-in that cannot be loaded");
    const Codes codes = CodesOf(root, VANTREL_ENTRY_PROBE);
    ExpectAll(codes, kExitPlugin);
  }
  {
    SCOPED_TRACE("an output that would replace a definition");
    const std::string definition =
        (folder_.path() / "Config" / "Vantrel" / "Lander.cfg").string();
    const Codes codes = CodesOf(root, VANTREL_TEST_PLUGIN, definition);
    ExpectAll(codes, kExitUsage);
  }
  {
    SCOPED_TRACE("an output into a folder that does not exist");
    const Codes codes = CodesOf(root, VANTREL_TEST_PLUGIN,
                                (folder_.path() / "no" / "out.txt").string());
    ExpectAll(codes, kExitInput);
  }
  // A command that met two problems exits with the one that stopped more
  // of its work.
  EXPECT_EQ(MoreSerious(kExitFindings, kExitInput), kExitInput);
  EXPECT_EQ(MoreSerious(kExitInput, kExitFindings), kExitInput);
  EXPECT_EQ(MoreSerious(kExitPlugin, kExitUsage), kExitUsage);
  EXPECT_EQ(MoreSerious(kExitOk, kExitFindings), kExitFindings);
}

}  // namespace
}  // namespace tools
