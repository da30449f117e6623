// Exit codes as a script sees them: every command gives the same code for
// the same kind of problem.
#include "tools/exit_codes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#endif

#include "files/disk_file_system.h"
#include "test_folder.h"
#include "tools/drop_command.h"
#include "tools/init_command.h"
#include "tools/run_command.h"
#include "tools/show_command.h"
#include "tools/survey_command.h"

namespace tools {
namespace {

namespace fs = std::filesystem;

// An installation with one vessel of class Lander and its definition.
class ExitCodesTest : public ::testing::Test {
 protected:
  ExitCodesTest() { WriteHost(folder_.path()); }

  // The host folder's files, and the class file of Lander, in `root`.
  static void WriteHost(const fs::path& root) {
    const auto write = [&root](const std::string& relative,
                               const std::string& text) {
      fs::create_directories((root / relative).parent_path());
      std::ofstream(root / relative, std::ios::binary) << text;
    };
    write("Config/Vantrel/Lander.cfg",
          "N = 3\nPOINT_1 = 0 -1 2\nPOINT_2 = -1 -1 -1\n"
          "POINT_3 = 1 -1 -1\n");
    write("Scenarios/Test.scn",
          "BEGIN_SHIPS\nL-1:Lander\n  MASS 1000\nEND\nEND_SHIPS\n");
    write("Config/Earth.cfg", "Mass = 5.973698968e+24\nSize = 6.37101e6\n");
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
    files::DiskFileSystem disk;
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
    files::DiskFileSystem disk;
    InitArguments init;
    init.root = (folder_.path() / "missing").string();
    init.class_name = "Lander";
    EXPECT_EQ(InitCommand(init, disk, out, err), kExitInput);
  }
  {
    SCOPED_TRACE("no body file for the body the vessel stands on");
    const fs::path earth = folder_.path() / "Config" / "Earth.cfg";
    fs::rename(earth, folder_.path() / "Earth.cfg");
    const Codes codes = CodesOf(root, VANTREL_TEST_PLUGIN);
    fs::rename(folder_.path() / "Earth.cfg", earth);
    ExpectAll(codes, kExitInput);
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
    // The temporary file beside it needs a name of its own that fits.
#if defined(_WIN32)
    SCOPED_TRACE("an output at a path longer than 260 characters");
    fs::path output = folder_.path();
    while (output.native().size() < 290) output /= std::string(40, 'f');
    fs::create_directories(output);
    output /= "drawing.txt";
#else
    SCOPED_TRACE("an output whose name is 249 characters long");
    const fs::path output = folder_.path() / (std::string(245, 'n') + ".txt");
#endif
    const Codes codes = CodesOf(root, VANTREL_TEST_PLUGIN, output.string());
    ExpectAll(codes, kExitOk);
    EXPECT_GT(fs::file_size(output), 0u);
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

// Every file below `folder` and the file `also`, with its content.
std::map<fs::path, std::string> Contents(const fs::path& folder,
                                         const fs::path& also) {
  std::map<fs::path, std::string> contents;
  const auto read = [&contents](const fs::path& file) {
    std::ostringstream text;
    text << std::ifstream(file, std::ios::binary).rdbuf();
    contents[file] = text.str();
  };
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) read(entry.path());
  }
  read(also);
  return contents;
}

// An output is refused for what it names on disk, however it is spelled:
// links, another name of the host folder, case, and on Windows the dots and
// spaces it drops, device names, the extended and device forms, short names
// and a drive letter that stands for a folder. Every command exits with 3
// and leaves every file as it was, the loaded plug-in too.
TEST_F(ExitCodesTest, EverySpellingOfAProtectedFileIsRefused) {
  fs::path host = folder_.path();
  const fs::path plugin = VANTREL_TEST_PLUGIN;
#if defined(_WIN32)
  // Under Wine the suite maps the drive S: onto VANTREL_TEST_ALIAS_FOLDER,
  // with S:\linked a folder link to S:\host\Config (tests/CMakeLists.txt).
  const fs::path alias_folder =
      fs::path(VANTREL_TEST_ALIAS_FOLDER).make_preferred();
  ASSERT_TRUE(fs::is_directory("S:\\"))
      << "drive S: is not mapped onto " << alias_folder.string()
      << "; run the suite through CTest";
  host = alias_folder / "host";
  fs::remove_all(host);
  WriteHost(host);
  const std::string alias = "S:\\host";
  const std::string linked = "S:\\linked";
#else
  TestFolder links;
  fs::create_directory_symlink(host, links.path() / "host");
  fs::create_directory_symlink(host / "Config", links.path() / "linked");
  fs::create_directory_symlink(plugin.parent_path(), links.path() / "plugin");
  const std::string alias = (links.path() / "host").string();
  const std::string linked = (links.path() / "linked").string();
#endif
  const auto write = [&host](const std::string& relative) {
    std::ofstream(host / relative, std::ios::binary) << relative << '\n';
  };
  write("Config/Vantrel/README.txt");
  write("orbiter.exe");
  write("Orbiter.cfg");
  write("Orbiter.log");
  const std::string real = host.string();
  const std::string sep(1, fs::path::preferred_separator);
  const auto in = [&sep](const std::string& folder, const std::string& path) {
    std::string joined = folder + sep + path;
    std::replace(joined.begin(), joined.end(), '/', sep[0]);
    return joined;
  };
  struct Row {
    std::string root;
    std::string output;
  };
  std::vector<Row> rows{
      {real, in(real, "Config/./Vantrel/../Vantrel/Lander.cfg")},
      {alias, in(real, "Config/Vantrel/README.txt")},
      {real, in(alias, "Config/Vantrel/README.txt")},
      {real, in(linked, "Vantrel/README.txt")},
      {real, in(real, "CONFIG/vantrel/readme.txt")},
      {real, in(real, "Scenarios/new.log")},
      {real, in(real, "Modules/Plugin/new.svg")},
      {real, in(real, "orbiter.exe")},
      {real, in(real, "Orbiter.cfg")},
      {real, in(real, "ORBITER.LOG")},
      {real, in(real, "Orbiter.log")},
      {real, in(real, "d3d9.dll")},
  };
#if defined(_WIN32)
  std::string shouting = plugin.filename().string();
  for (char& c : shouting) c = static_cast<char>(std::toupper(c));
  const std::string extended = "\\\\?\\" + real;
  std::wstring short_name(1024, L'\0');
  short_name.resize(GetShortPathNameW((host / "Scenarios" / "Test.scn").c_str(),
                                      short_name.data(), 1024));
  ASSERT_EQ(fs::path(short_name).filename(), "Test.scn");
  ASSERT_NE(fs::path(short_name).parent_path().filename(), "Scenarios")
      << "Scenarios has a short name";
  std::string forward = extended + "\\Config\\Vantrel\\README.txt";
  std::replace(forward.begin(), forward.end(), '\\', '/');
  const std::vector<Row> windows_rows{
      {alias, in(alias, "Config/Vantrel/Lander.cfg.")},
      {real, in(real, "Config/Vantrel/Lander.cfg. ")},
      {real, in(real, "orbiter.exe ")},
      {real, plugin.string() + "."},
      {real, (plugin.parent_path() / shouting).string()},
      {real, fs::path(short_name).string()},
      {real, fs::path(short_name).replace_filename("new.log").string()},
      {real, in(extended, "Config/Vantrel/README.txt")},
      {real, in(extended, "Config/Vantrel/Lander.cfg.")},
      {real, in(extended, "Config/Vantrel/New.cfg.")},
      {real, "\\\\.\\" + in(real, "Config/Vantrel/README.txt")},
      {real, forward},
      {real, in(real, "Config./Vantrel/README.txt")},
      {real, in(real, "Config/Vantrel/Lander.cfg::$DATA")},
      {real, "NUL"},
      {real, "CON"},
      {real, "aux.log"},
      {real, in(real, "com1.svg")},
  };
  rows.insert(rows.end(), windows_rows.begin(), windows_rows.end());
#else
  rows.push_back(
      {real, (links.path() / "plugin" / plugin.filename()).string()});
#endif
  for (const Row& row : rows) {
    SCOPED_TRACE("--root " + row.root + " with output " + row.output);
    const auto before = Contents(host, plugin);
    ExpectAll(CodesOf(row.root, VANTREL_TEST_PLUGIN, row.output), kExitUsage);
    EXPECT_EQ(Contents(host, plugin), before);
  }
#if defined(_WIN32)
  fs::remove_all(host);
#endif
}

}  // namespace
}  // namespace tools
