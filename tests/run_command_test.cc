// vantrel run: a scenario through the loaded plug-in, and its errors.
#include "tools/run_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "files/disk_file_system.h"
#include "test_folder.h"
#include "tools/exit_codes.h"

namespace tools {
namespace {

using ::testing::HasSubstr;
namespace fs = std::filesystem;

// Log files end lines as text files end them on the platform.
#if defined(_WIN32)
constexpr const char* kLineEnd = "\r\n";
#else
constexpr const char* kLineEnd = "\n";
#endif

class RunCommandTest : public ::testing::Test {
 protected:
  RunCommandTest() { folder_.CopyBodyFiles(); }

  int Run(RunArguments arguments) {
    arguments.plugin = VANTREL_TEST_PLUGIN;
    out_.str("");
    err_.str("");
    return RunCommand(arguments, disk, out_, err_);
  }

  RunArguments InFolder(const std::string& scenario_text) {
    folder_.Write("Scenarios/Test.scn", scenario_text);
    RunArguments arguments;
    arguments.root = folder_.path().string();
    arguments.scenarios = {"Test.scn"};
    return arguments;
  }

  std::string ScenarioPath() const {
    return (folder_.path() / "Scenarios" / "Test.scn").string();
  }

  TestFolder folder_;
  files::DiskFileSystem disk;
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
  for (const char* line : expected) joined += std::string(line) + kLineEnd;
  EXPECT_EQ(text, joined);

  const std::string out = out_.str();
  EXPECT_THAT(out, HasSubstr("  Vantrel Loaded, Version:190119\n"));
  EXPECT_THAT(out, HasSubstr("Vessels after 10 steps"));
  EXPECT_THAT(out, HasSubstr("step 3"));
  EXPECT_THAT(out, HasSubstr("(default)")) << "Plain has no MASS";
  EXPECT_THAT(out, HasSubstr("class  Config\\Vantrel\\Lander.cfg"));
  EXPECT_THAT(out, HasSubstr("none   (kept its own points)"));
}

// Scenarios run one after another in one program run, as a player starts
// them from the Launchpad: the plug-in is loaded once, and each simulation
// sweeps its own vessels in its own tenth step, whichever edition unloads
// it; the printed log says who deleted the module object, and a summary
// counts what the plug-in did (alone with --quiet).
TEST_F(RunCommandTest, SeveralScenariosInOneProgramRun) {
  folder_.WriteDefinition("Lander.cfg", "N = 3\nPOINT_1 = 0 -1 2 5 6 7 8\n");
  folder_.Write("Scenarios/A.scn", "BEGIN_SHIPS\nA1:Lander\nEND\nEND_SHIPS\n");
  folder_.Write("Scenarios/B.scn", "BEGIN_SHIPS\nB1:Lander\nEND\nEND_SHIPS\n");
  folder_.Write("Scenarios/C.scn",
                "BEGIN_SHIPS\nC1:Buggy\nEND\nC2:Lander\nEND\nEND_SHIPS\n");
  const std::string found = "Vantrel: Vessel Definition found for class Lander";
  const std::string point = " : 0.000 -1.000 2.000 5.000 6.000 7.000 8.000";
  const std::vector<std::string> expected = {
      "Vantrel Loaded, Version:190119",
      "Vantrel: No TD Pts Override for: A1",
      found,
      "point1" + point,
      "point2" + point,
      "point3" + point,
      "Vantrel: No TD Pts Override for: B1",
      found,
      "point1" + point,
      "point2" + point,
      "point3" + point,
      "Vantrel: No TD Pts Override for: C1",
      "Vantrel: No TD Pts Override for: Buggy",
      "Vantrel: No TD Pts Override for: C2",
      found,
      "point1" + point,
      "point2" + point,
      "point3" + point};
  std::string joined;
  for (const std::string& line : expected) joined += line + kLineEnd;

  for (const auto edition :
       {standin::Edition::k2016, standin::Edition::kCurrent}) {
    SCOPED_TRACE(edition == standin::Edition::k2016 ? "2016" : "current");
    RunArguments arguments;
    arguments.root = folder_.path().string();
    arguments.scenarios = {"A", "B.scn", "C"};
    arguments.edition = edition;
    const std::string log_path = (folder_.path() / "runs.log").string();
    arguments.log_file = log_path;
    ASSERT_EQ(Run(arguments), kExitOk) << err_.str();

    std::ifstream log(log_path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(log)),
                           std::istreambuf_iterator<char>());
    EXPECT_EQ(text, joined) << "the banner once, then each simulation's sweep";

    const std::string out = out_.str();
    EXPECT_THAT(out, HasSubstr("Simulation 3 of 3: "));
    std::size_t sweeps = 0;
    for (std::size_t at = out.find("  step 10:\n"); at != std::string::npos;
         at = out.find("  step 10:\n", at + 1)) {
      ++sweeps;
    }
    EXPECT_EQ(sweeps, 3u) << out;
    EXPECT_EQ(err_.str(), "");

    const std::string unloaded =
        edition == standin::Edition::k2016
            ? "  the host deletes the module objects the plug-in registered, "
              "through their virtual destructor; no log line\n"
              "  the host frees the library; its entry calls ExitModule; no "
              "log line\n"
              "  The module object was deleted by the host; ExitModule was "
              "called and deleted nothing.\n"
            : "  the host frees the library and leaves the module objects to "
              "the plug-in; its entry calls ExitModule; no log line\n"
              "  The module object was deleted by ExitModule.\n";
    EXPECT_THAT(out, HasSubstr(unloaded));
    const std::string summary =
        "Summary of the run\n"
        "  scenarios            3\n"
        "  vessels              4  in all scenarios\n"
        "  definition by name   0\n"
        "  definition by class  3\n"
        "  no definition        1  they keep their own points\n"
        "  files passed over    0\n"
        "  keys refused         0\n"
        "  faults               0\n";
    EXPECT_EQ(out.substr(out.size() - std::min(out.size(), summary.size())),
              summary);
    arguments.quiet = true;
    arguments.log_file.reset();
    ASSERT_EQ(Run(arguments), kExitOk) << err_.str();
    EXPECT_EQ(out_.str(), summary);
  }
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
    SCOPED_TRACE("a missing scenario: one message with the places tried");
    RunArguments arguments = InFolder("");
    arguments.scenarios = {"Missing"};
    EXPECT_EQ(Run(arguments), kExitInput);
    const std::string in_root =
        (folder_.path() / "Scenarios" / "Missing").string();
    EXPECT_EQ(err_.str(),
              "vantrel run: no scenario file 'Missing'; tried:\n"
              "  Missing\n  Missing.scn\n  " +
                  in_root + "\n  " + in_root + ".scn\n");
  }
  {
    SCOPED_TRACE("a scenario that is a folder");
    RunArguments arguments = InFolder("");
    folder_.Write("Scenarios/Folder.scn/x", "");
    arguments.scenarios = {"Folder.scn"};
    EXPECT_EQ(Run(arguments), kExitInput);
    EXPECT_THAT(err_.str(), HasSubstr("Folder.scn  (a folder)\n"));
  }
  {
    SCOPED_TRACE("MASS 0 and below are no masses");
    EXPECT_EQ(Run(InFolder("BEGIN_SHIPS\nA:B\n  MASS -5\nEND\nEND_SHIPS\n")),
              kExitInput);
    EXPECT_THAT(err_.str(),
                HasSubstr(ScenarioPath() +
                          ":3: error: MASS '-5' is not a positive, finite "
                          "number of kg"));
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
    SCOPED_TRACE("a log over an input: refused, every file unchanged");
    const std::string definition = "N = 3\nPOINT_1 = 0 -1 2\n";
    folder_.WriteDefinition("Lander.cfg", definition);
    const std::string scenario_text =
        "BEGIN_SHIPS\nA:Lander\n  MASS 1\nEND\nEND_SHIPS\n";
    folder_.Write("input.txt", scenario_text);
    const auto text = [](const fs::path& path) {
      std::ifstream file(path, std::ios::binary);
      return std::string((std::istreambuf_iterator<char>(file)),
                         std::istreambuf_iterator<char>());
    };
    RunArguments arguments = InFolder(scenario_text);
    for (const fs::path& log :
         {folder_.path() / "Config" / "Vantrel" / "Lander.cfg",
          folder_.path() / "Scenarios" / "Test.scn"}) {
      arguments.log_file = log.string();
      EXPECT_EQ(Run(arguments), kExitUsage);
      EXPECT_THAT(err_.str(), HasSubstr("refusing to write the log file to " +
                                        log.string()));
      EXPECT_EQ(out_.str(), "") << "nothing runs";
    }
    arguments.scenarios = {(folder_.path() / "input.txt").string()};
    arguments.log_file = arguments.scenarios.front();
    EXPECT_EQ(Run(arguments), kExitUsage);
    EXPECT_THAT(err_.str(), HasSubstr("this command reads it"));
    EXPECT_EQ(text(folder_.path() / "Config/Vantrel/Lander.cfg"), definition);
    EXPECT_EQ(text(ScenarioPath()), scenario_text);
    EXPECT_EQ(text(folder_.path() / "input.txt"), scenario_text);
  }
  {
    SCOPED_TRACE("a plug-in that cannot be loaded");
    RunArguments arguments = InFolder("BEGIN_SHIPS\nEND_SHIPS\n");
    arguments.plugin = (folder_.path() / "Vantrel.so").string();
    out_.str("");
    err_.str("");
    EXPECT_EQ(RunCommand(arguments, disk, out_, err_), kExitPlugin);
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

  // Many late vessels: one line with the count and the first names.
  std::string ships = "BEGIN_SHIPS\n";
  for (int i = 1; i <= 700; ++i) {
    ships += "V" + std::to_string(i) + ":B\n  SPAWN_STEP 1\nEND\n";
  }
  arguments = InFolder(ships + "END_SHIPS\n");
  arguments.steps = 0;
  EXPECT_EQ(Run(arguments), kExitOk);
  EXPECT_EQ(err_.str(), ScenarioPath() +
                            ":2: warning: 700 vessels never appear: the "
                            "SPAWN_STEP of each comes after the last step (0) "
                            "(V1, V2, V3, V4, V5 and 695 more)\n");
}

TEST_F(RunCommandTest, ARunBeforeTheSweepSaysSo) {
  folder_.WriteDefinition("Lander.cfg", "N = 3\nPOINT_1 = 0 -1 2\n");
  RunArguments arguments = InFolder(
      "BEGIN_SHIPS\nEarly:Lander\n  STATUS Landed Moon\nEND\n"
      "Late:Lander\n  SPAWN_STEP 2\nEND\nEND_SHIPS\n");
  arguments.steps = 9;
  EXPECT_EQ(Run(arguments), kExitOk) << err_.str();
  const std::string out = out_.str();
  EXPECT_THAT(out,
              HasSubstr("Early   Lander  1000 (default)  Moon               "
                        "at start        0  not yet (the sweep is in "
                        "step 10)"))
      << out;
  // Each body the vessels stand on, with its gravity from its file.
  EXPECT_THAT(out, HasSubstr("  On Moon, g = 1.6231 m/s^2 (Config\\Moon.cfg)\n"
                             "  On Earth (no STATUS line), g = 9.8202 m/s^2"));
  // A vessel reported as new is updated at once.
  EXPECT_THAT(out, HasSubstr("class  Config\\Vantrel\\Lander.cfg"));
  EXPECT_THAT(out, HasSubstr("stopped after step 9"));
  EXPECT_THAT(out, testing::Not(HasSubstr("kept its own points")));
}

// A host folder as the simulator's installation has it: a scenario in the
// simulator's own style (CRLF, no MASS lines) in a folder below Scenarios,
// and class files with the vessels' masses.
TEST_F(RunCommandTest, AnInstallationGivesMassesFromClassFiles) {
  folder_.Write("Scenarios/Delta-glider/Docked at ISS.scn",
                "BEGIN_DESC\r\nDocked.\r\nEND_DESC\r\n"
                "BEGIN_ENVIRONMENT\r\n  System Sol\r\nEND_ENVIRONMENT\r\n"
                "BEGIN_SHIPS\r\n"
                "ISS:ProjectAlpha_ISS\r\n  STATUS Orbiting Earth\r\n"
                "  RPOS -5584187.21 -2233412.03 3084220.14\r\nEND\r\n"
                "Mir\r\n  STATUS Orbiting Earth\r\nEND\r\n"
                "GL-01:DeltaGlider\r\n  STATUS Landed Earth\r\n"
                "  POS -80.6752070 28.5976000\r\nEND\r\n"
                "GL-02:DeltaGlider\r\n  STATUS Landed Earth\r\n"
                "  MASS 2000\r\nEND\r\n"
                "Probe:OddMass\r\n  STATUS Landed Earth\r\nEND\r\n"
                "SH-01:ShuttleA\r\n  PRPLEVEL 0:0.5 1:1\r\nEND\r\n"
                "SH-02:ShuttleA\r\n  STATUS Landed Moon\r\nEND\r\n"
                "SP-01:Sphere\r\nEND\r\n"
                "PB-01:ShuttlePB\r\n  FUEL 0.25\r\nEND\r\n"
                "END_SHIPS\r\n");
  folder_.Write("Config/Vessels/ShuttleA.cfg",
                "Module = ShuttleA\r\nPropellantResource1 = 2700\r\n"
                "PropellantResource2 = 400 0.9\r\nPropellantResource4 = 9\r\n"
                "TouchdownPoints = 0 -2 6  -3 -2 -4  3 -2 -4\r\n"
                "CollisionHull = Vessels\\Sphere_collision\r\n");
  // A hull of its own, whose points take the host's values where its lines
  // leave them out; a valid TouchdownPoints replaces it.
  folder_.Write(
      "Config/Vessels/Sphere.cfg",
      "Module = Sphere\r\nCollisionHull = Vessels\\Sphere_collision\r\n");
  folder_.Write("Config/Vessels/Sphere_collision.dat",
                "4\r\n0 -1 1 1e5 1e2 0.2\r\n-1 -1 -1\r\n1 -1 -1\r\n"
                "0 1 0 5e4\r\n");
  folder_.Write("Config/Vessels/ShuttlePB.cfg",
                "Module = ShuttlePB\r\nMaxFuel = 750\r\n");
  folder_.Write("Config/Vessels/DeltaGlider.cfg",
                "ClassName = DeltaGlider\r\nSize = 10.0\r\n"
                "Mass = 11000.0  ; empty mass [kg]\r\n");
  folder_.Write("Config/Vessels/ProjectAlpha_ISS.cfg", "Mass = 431e3 kg\r\n");
  // Not in Config/Vessels: the host tries Config/<class>.cfg, in any case.
  folder_.Write("Config/mir.cfg", "MeshName = Mir\r\nMass = 124340\r\n");
  folder_.Write("Config/Vessels/OddMass.cfg", "Size = 1\r\nMass = -5\r\n");
  folder_.WriteDefinition("DeltaGlider.cfg", "N = 3\r\nPOINT_1 = 0 -1 2\r\n");
  RunArguments arguments;
  arguments.root = folder_.path().string();
  arguments.scenarios = {"Delta-glider\\Docked at ISS"};
  arguments.class_masses = {{"shuttlea", 11000}};

  ASSERT_EQ(Run(arguments), kExitOk) << err_.str();
  const std::string out = out_.str();
  // --mass gives a class's empty mass; its tanks at the scenario's levels
  // add 1350 + 400 (PropellantResource3 is missing, so 4 does not count).
  EXPECT_THAT(out, HasSubstr("12750 (--mass ShuttleA, with 1750 propellant)"));
  // A tank that neither PRPLEVEL nor FUEL names is empty, as the host
  // leaves it: SH-02 weighs its empty mass.
  EXPECT_THAT(out, HasSubstr("SH-02   ShuttleA          11000 (--mass "
                             "ShuttleA)  "));
  // FUEL sets every tank; the module sets the mass in code, one line says.
  EXPECT_THAT(out, HasSubstr("1187.5 (default, with 187.5 propellant)"));
  EXPECT_THAT(out, HasSubstr("ShuttlePB: its module (Module = ShuttlePB) "
                             "sets the mass in code"));
  EXPECT_THAT(out, HasSubstr("Give it with --mass ShuttlePB=KG."));
  EXPECT_THAT(out, ::testing::Not(HasSubstr("ShuttleA: its module")));
  // The class file's own points, which the vessel keeps.
  EXPECT_THAT(out, HasSubstr("3 points (line 5 TouchdownPoints)"));
  EXPECT_THAT(out, HasSubstr("4 points (line 2 CollisionHull "
                             "Config\\Vessels\\Sphere_collision.dat)"));
  EXPECT_THAT(out, HasSubstr("431000 (Config\\Vessels\\ProjectAlpha_ISS.cfg)"));
  // The class file spelled as its folder names it, not as the class is,
  // on Windows too, where the system opens it by the other spelling.
  EXPECT_THAT(out, HasSubstr("124340 (Config\\mir.cfg)"));
  EXPECT_THAT(out, HasSubstr("11000 (Config\\Vessels\\DeltaGlider.cfg)"));
  EXPECT_THAT(out, HasSubstr("GL-02   DeltaGlider       2000  "))
      << "MASS comes first";
  EXPECT_THAT(out, HasSubstr("Probe   OddMass           1000 (default)"));
  // The springs follow the class file's mass: 11000 kg x 9.81.
  EXPECT_THAT(out, HasSubstr("point1 : 0.000 -1.000 2.000 107910.000"));
  EXPECT_EQ(err_.str(),
            (folder_.path() / "Config" / "Vessels" / "OddMass.cfg").string() +
                ":2: warning: Mass '-5' is not a positive, finite number of "
                "kg; vessels of class OddMass weigh the default 1000 kg\n");
}

}  // namespace
}  // namespace tools
