#include "tools/check_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "files/disk_file_system.h"
#include "report/diagnostic_output.h"
#include "test_folder.h"
#include "tools/exit_codes.h"

namespace tools {
namespace {

const char* const kClean =
    "N = 3\nPOINT_1 = 0 -1 2\nPOINT_2 = -1 -1 -1\nPOINT_3 = 1 -1 -1\n";

struct Outcome {
  int code;
  std::string out;
  std::string err;
};

Outcome Check(const CheckArguments& arguments) {
  std::ostringstream out, err;
  files::DiskFileSystem files;
  const int code = CheckCommand(arguments, files, out, err);
  return {code, out.str(), err.str()};
}

TEST(CheckCommandTest, ExitCodesAsShellcheckUsesThem) {
  TestFolder folder;
  CheckArguments arguments;
  arguments.root = folder.path().string();
  {
    SCOPED_TRACE("no definition folder: nothing could be read");
    EXPECT_EQ(Check(arguments).code, kExitInput);
  }
  folder.WriteDefinition("Lander.cfg", kClean);
  {
    SCOPED_TRACE("clean");
    const Outcome outcome = Check(arguments);
    EXPECT_EQ(outcome.code, kExitOk);
    EXPECT_EQ(outcome.out, "");
  }
  const auto bad = folder.WriteDefinition("Sub/Bad.cfg", "N = 2\n");
  {
    SCOPED_TRACE("findings, in the compilers' format, folders searched");
    const Outcome outcome = Check(arguments);
    EXPECT_EQ(outcome.code, kExitFindings);
    EXPECT_NE(
        outcome.out.find(std::filesystem::path(bad).make_preferred().string() +
                         ":1:5: error: N = 2: a definition needs"),
        std::string::npos)
        << outcome.out;
    EXPECT_EQ(outcome.out.find("[file-name]"), std::string::npos)
        << "a file below a folder is reached by a key holding '\\'";
  }
  folder.WriteDefinition("Vessels/Soyuz___TMA.cfg", kClean);
  {
    SCOPED_TRACE("a subfolder and a '/' in the key, as for Vessels\\Soyuz/TMA");
    const Outcome outcome = Check(arguments);
    EXPECT_EQ(outcome.out.find("Soyuz"), std::string::npos) << outcome.out;
  }
  {
    SCOPED_TRACE("a named file that does not exist");
    CheckArguments named;
    named.paths = {(folder.path() / "Config/Vantrel/Lander.cfg").string(),
                   (folder.path() / "missing.cfg").string()};
    const Outcome outcome = Check(named);
    EXPECT_EQ(outcome.code, kExitInput);
    EXPECT_NE(outcome.out.find("missing.cfg: error: cannot read the file: "
                               "no such file [unreadable]"),
              std::string::npos);
  }
  {
    SCOPED_TRACE("a file too large to read is an input error that says so");
    CheckArguments named;
    const auto big = folder.Write("Big.cfg", "");
    std::filesystem::resize_file(big, 300u << 20);  // sparse
    named.paths = {big.string()};
    const Outcome outcome = Check(named);
    std::filesystem::remove(big);
    EXPECT_EQ(outcome.code, kExitInput);
    EXPECT_NE(outcome.out.find("Big.cfg: error: cannot read the file: too "
                               "large to read (300 MB; the largest file read "
                               "is 256 MB)"),
              std::string::npos)
        << outcome.out;
  }
  {
    SCOPED_TRACE("UTF-16 with or without a byte-order mark: one error");
    const std::string wide("N\0 \0=\0 \0003\0\r\0\n\0", 14);
    CheckArguments named;
    named.paths = {folder.Write("Marked.cfg", "\xFF\xFE" + wide).string(),
                   folder.Write("Plain.cfg", wide).string()};
    const Outcome outcome = Check(named);
    EXPECT_EQ(outcome.code, kExitFindings);
    const std::string error =
        ": error: the file is saved as UTF-16 (\"Unicode\" in Notepad), "
        "which the simulator cannot read; open it in Notepad, choose File > "
        "Save As, and save it with the encoding \"ANSI\" or \"UTF-8\" "
        "[utf-16]\n";
    EXPECT_EQ(outcome.out, named.paths[0] + error + named.paths[1] + error);
  }
}

TEST(CheckCommandTest, TheFolderAsAWhole) {
  TestFolder folder;
  CheckArguments arguments;
  arguments.root = folder.path().string();
  folder.WriteDefinition("Lander.cfg", kClean);
  folder.WriteDefinition("x.cfg/Inner.txt", "");
  {
    SCOPED_TRACE("a folder named like a definition");
    const Outcome outcome = Check(arguments);
    EXPECT_EQ(outcome.code, kExitFindings);
    EXPECT_EQ(outcome.out,
              (folder.path() / "Config" / "Vantrel" / "x.cfg").string() +
                  ": warning: is a folder, not a file; the host cannot read "
                  "it as a definition [not-a-file]\n");
  }
  {
    SCOPED_TRACE("names the plug-in never reads, and a named empty folder");
    folder.WriteDefinition("Tug.cfg.txt", kClean);
    folder.WriteDefinition("Examples/Tug.cfg.example", kClean);
    CheckArguments named;
    named.paths = {(folder.path() / "Config/Vantrel/x.cfg").string()};
    const Outcome tug = Check(arguments);
    const Outcome empty = Check(named);
    std::filesystem::remove(folder.path() / "Config/Vantrel/Tug.cfg.txt");
    EXPECT_NE(tug.out.find("Tug.cfg.txt: warning: the plug-in never reads "
                           "this file: only a name ending in .cfg is a "
                           "definition; Windows hides known extensions"),
              std::string::npos)
        << tug.out;
    EXPECT_NE(tug.out.find("rename it to Tug.cfg [not-a-definition-name]"),
              std::string::npos);
    EXPECT_EQ(tug.out.find("example"), std::string::npos)
        << "the package's examples are named so on purpose";
    EXPECT_EQ(empty.code, kExitFindings);
    EXPECT_NE(empty.out.find("x.cfg: warning: is a folder, not a file"),
              std::string::npos);
    EXPECT_NE(empty.out.find("x.cfg: warning: is a folder without a .cfg "
                             "file below it; no definition was checked"),
              std::string::npos)
        << empty.out;
  }
  folder.WriteDefinition("lander.cfg", kClean);
  if (std::filesystem::exists(folder.path() / "Config/Vantrel/LANDER.CFG")) {
    GTEST_SKIP() << "the file system ignores case";
  }
  {
    SCOPED_TRACE("names that differ only in case");
    const Outcome outcome = Check(arguments);
    EXPECT_NE(
        outcome.out.find(
            (folder.path() / "Config" / "Vantrel" / "lander.cfg").string() +
            ": warning: differs only in case from Lander.cfg; on "
            "Windows the two cannot both exist, and the host reads only "
            "one of them [case-duplicate]\n"),
        std::string::npos)
        << outcome.out;
  }
}

// The contact items of class files, which the host drops without a word
// when they are broken: each reason, at its file, line and column.
TEST(CheckCommandTest, ClassFilesAsTheHostReadsThem) {
  TestFolder folder;
  const std::string hull = "CollisionHull = Vessels\\Hull\n";
  const std::string four = "0 -2 9 1e5\n-2 -2 -8\n2 -2 -8\n0 3 0\n";
  folder.Write("Config/Vessels/Hull.dat", "4\n" + four);
  const struct {
    const char* what;
    std::string class_file;
    std::string hull_file;  // Config/Vessels/<class>.dat when not empty
    std::string found;      // the finding's file, line, column and start
  } cases[] = {
      {"a misspelt item", "Mass = 10\nTouchdowPoints = 0 -2 9 -2 -2 -8\n", "",
       "C.cfg:2:1: warning: 'TouchdowPoints' is probably "
       "'TouchdownPoints'"},
      {"five numbers", "TouchdownPoints = 0 -2 9 -2 -2\n", "",
       "C.cfg:1:19: error: TouchdownPoints holds 5 number(s), "
       "not nine"},
      {"ten numbers", "TouchdownPoints = 0 -2 9 -2 -2 -8 2 -2 -8 1e6\n", "",
       "C.cfg:1:19: warning: TouchdownPoints holds more than nine"},
      {"a missing hull file", "CollisionHull = Vessels\\None\n", "",
       "C.cfg:1:17: error: CollisionHull names Config\\Vessels\\None.dat, "
       "which does not exist"},
      {"no count", hull, "four\n" + four, "C.dat:1:1: error: the first line"},
      {"a count of 2", hull, "2\n" + four, "C.dat:1:1: error: the hull has 2"},
      {"a blank line", hull, "4\n0 -2 9\n\n2 -2 -8\n0 3 0\n",
       "C.dat:3:1: error: this line is blank, where point 2 must be"},
      {"a comment", hull, "4\n; nose\n" + four,
       "C.dat:2:1: error: this line is a comment"},
      {"two numbers", hull, "4\n0 -2 9\n-2 -2\n2 -2 -8\n0 3 0\n",
       "C.dat:3:1: error: point 2 holds fewer than 3 numbers"},
      {"a line of 512 characters", hull,
       "4\n0 -2 9" + std::string(506, ' ') + "\n-2 -2 -8\n2 -2 -8\n0 3 0\n",
       "C.dat:2:1: error: this line has 512 characters"},
      {"too few lines", hull, "5\n" + four,
       "C.dat:1:1: error: the first line gives 5 points, but the file ends "
       "after 4 of them"},
      {"a hull that TouchdownPoints replaces",
       "TouchdownPoints = 0 -2 9 -2 -2 -8 2 -2 -8\nCollisionHull = "
       "Vessels\\Hull\n",
       "", "C.cfg:2:17: warning: the host reads this hull of 4 points first"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::string class_file = c.class_file;
    if (!c.hull_file.empty()) {
      class_file = "CollisionHull = Vessels\\C\n";
      folder.Write("Config/Vessels/C.dat", c.hull_file);
    }
    const auto path = folder.Write("Config/Vessels/C.cfg", class_file);
    CheckArguments arguments;
    arguments.paths = {path.string()};
    const Outcome outcome = Check(arguments);
    EXPECT_EQ(outcome.code, kExitFindings);
    EXPECT_NE(outcome.out.find(c.found), std::string::npos) << outcome.out;
    EXPECT_EQ(outcome.out.find('\n'), outcome.out.size() - 1) << "one finding";
  }
  {
    SCOPED_TRACE("sound items in any case, the whole folder with --classes");
    folder.Write("Config/Vessels/C.cfg",
                 "touchDOWNpoints = 0 -2 9 -2 -2 -8 2 -2 -8\n");
    folder.Write("Config/Vessels/Sub/D.cfg", hull + "Mass = 5\n");
    CheckArguments arguments;
    arguments.root = folder.path().string();
    arguments.classes = true;
    const Outcome outcome = Check(arguments);
    EXPECT_EQ(outcome.code, kExitOk) << outcome.out;
    EXPECT_EQ(outcome.err, "2 file(s) checked: 0 error(s), 0 warning(s)\n");
  }
}

TEST(CheckCommandTest, JsonHoldsTheSameDiagnostics) {
  TestFolder folder;
  const auto file = folder.WriteDefinition("A.cfg", "N = 3\nPOINT_1 = 0 -1\n");
  CheckArguments arguments;
  arguments.paths = {file.string()};
  arguments.json = true;
  const Outcome outcome = Check(arguments);
  EXPECT_EQ(outcome.code, kExitFindings);
  EXPECT_EQ(outcome.err, "");
  EXPECT_EQ(outcome.out.rfind("{\n  \"files_checked\": 1,\n  \"errors\": 1,\n"
                              "  \"warnings\": 2,\n  \"diagnostics\": [\n",
                              0),
            0u)
      << outcome.out;
  EXPECT_NE(outcome.out.find("{\"file\": " + report::JsonString(file.string()) +
                             ", \"line\": 2, \"column\": 11, \"severity\": "
                             "\"error\", \"message\": \"POINT_1 has 2 "
                             "number(s); x, y and z need 3 (the missing ones "
                             "are 0)\", \"code\": \"point-short\"}"),
            std::string::npos)
      << outcome.out;

  arguments.paths = {folder.WriteDefinition("B.cfg", kClean).string()};
  EXPECT_EQ(Check(arguments).out,
            "{\n  \"files_checked\": 1,\n  \"errors\": 0,\n  \"warnings\": "
            "0,\n  \"diagnostics\": []\n}\n");
}

TEST(CheckCommandTest, OneDiagnosticIsOneLine) {
  const analysis::Diagnostic d{
      "a\nb.cfg",   3, 0, analysis::Severity::kWarning, "key 'x\ry'",
      "unknown-key"};
  EXPECT_EQ(analysis::FormatProblem(d),
            "a?b.cfg:3: warning: key 'x?y' [unknown-key]");
}

TEST(CheckCommandTest, JsonStringsStayValid) {
  EXPECT_EQ(report::JsonString("a\"b\\c\n\t"), "\"a\\\"b\\\\c\\n\\t\"");
  EXPECT_EQ(report::JsonString(std::string("\x01\x7f", 2)),
            "\"\\u0001\\u007f\"");
  // Valid UTF-8 stays; bytes that are not become U+FFFD.
  EXPECT_EQ(report::JsonString("\xc3\xa9"), "\"\xc3\xa9\"");
  EXPECT_EQ(report::JsonString("\xff\xc3"), "\"\\ufffd\\ufffd\"");
  EXPECT_EQ(report::JsonString("\xc0\xaf"),
            "\"\\ufffd\\ufffd\"");  // overlong '/'
  EXPECT_EQ(report::JsonString("\xed\xa0\x80"), "\"\\ufffd\\ufffd\\ufffd\"");
}

#if defined(VANTREL_COMMAND) && !defined(_WIN32)
}  // namespace
}  // namespace tools
#include <sys/wait.h>

#include <cstdlib>
namespace tools {
namespace {

// The command line itself: a bad one exits with 3 before anything runs.
TEST(CheckCommandTest, BadUsageExitsWithThree) {
  const std::string command = VANTREL_COMMAND;
  const auto exit_code = [&](const std::string& arguments) {
    const int status =
        std::system((command + " " + arguments + " >/dev/null 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  };
  EXPECT_EQ(exit_code("check --format xml"), kExitUsage);
  EXPECT_EQ(exit_code("check --no-such-option"), kExitUsage);
  EXPECT_EQ(exit_code("show --mass 5"), kExitUsage) << "no --name";
  EXPECT_EQ(exit_code("show --name X --mass -1"), kExitUsage);

  // A mass that is not one: the same short line for each, and exit 3.
  TestFolder folder;
  const std::string err_file = (folder.path() / "err.txt").string();
  for (const char* mass : {"0", "-5", "nan", "inf", "1e400", "ten"}) {
    SCOPED_TRACE(mass);
    const int status = std::system(
        (command + " show --name X --mass " + mass + " >" + err_file + " 2>&1")
            .c_str());
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, kExitUsage);
    std::ifstream file(err_file);
    std::string first;
    std::getline(file, first);
    EXPECT_EQ(first, std::string("--mass: '") + mass +
                         "' is not a positive, finite number of kg");
  }
}
#endif

}  // namespace
}  // namespace tools
