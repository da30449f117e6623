// The bad definition files of the module's table, through `vantrel check`:
// each must give a diagnostic that names its line and explains what the
// module will do, and the command must say so in its exit code.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/definition_check.h"
#include "files/disk_file_system.h"
#include "test_folder.h"
#include "tools/check_command.h"
#include "tools/exit_codes.h"

namespace tools {
namespace {

namespace fs = std::filesystem;

constexpr char kPoint1[] = "POINT_1 = 0 -1 2 1000 100 0.5 0.4\n";
constexpr char kPoints2And3[] =
    "POINT_2 = -1 -1 -1 1000 100 0.5 0.4\n"
    "POINT_3 = 1 -1 -1 1000 100 0.5 0.4\n";

template <std::size_t size>
std::string Bytes(const char (&text)[size]) {
  return std::string(text, size - 1);
}

std::string ThreePointsWithN(const std::string& n) {
  return "N = " + n + "\n" + kPoint1 + kPoints2And3;
}

std::string WithFirstPoint(const std::string& point1) {
  return "N = 3\nPOINT_1 = " + point1 + "\n" + kPoints2And3;
}

bool HasCode(const std::vector<analysis::Diagnostic>& found,
             const std::string& code, int line) {
  for (const analysis::Diagnostic& d : found) {
    if (d.code == code && d.line == line) return true;
  }
  return false;
}

TEST(BadDefinitionCheckTest, EveryBadFileGetsADiagnosticAtItsLine) {
  struct Case {
    const char* what;
    std::string text;
    const char* code;
    int line;
  };
  // The host copies a long value whole: the friction after 255 characters
  // counts.
  const std::string long_value =
      "0 -1 2 1000 100 0.5" + std::string(233, ' ') + "-0.45";
  const Case cases[] = {
      {"an empty file", "", "n-missing", 1},
      {"binary garbage",
       Bytes("\x7f"
             "ELF\x02\x01\0\0\xff\xfe=\x01\n\x80"),
       "n-missing", 1},
      {"a NUL byte inside a value",
       Bytes("N = 3\nPOINT_1 = 1 2\0 3 1000 100 0.5 0.4\n") + kPoints2And3,
       "point-short", 2},
      {"N = 0", ThreePointsWithN("0"), "n-too-small", 1},
      {"N = -1", ThreePointsWithN("-1"), "n-too-small", 1},
      {"N = 2", ThreePointsWithN("2"), "n-too-small", 1},
      {"N = 1e9", ThreePointsWithN("1e9"), "n-too-small", 1},
      {"N = 8193", ThreePointsWithN("8193"), "n-too-large", 1},
      {"N = 2147483647", ThreePointsWithN("2147483647"), "n-too-large", 1},
      {"N = abc", ThreePointsWithN("abc"), "n-missing", 1},
      {"N = 4294967299", ThreePointsWithN("4294967299"), "n-wraps", 1},
      {"a Ctrl-Z byte", ThreePointsWithN("3").insert(76, "\x1A"),
       "end-of-file-byte", 4},
      {"nan", WithFirstPoint("nan -1 2 1000 100 0.5 0.4"), "not-finite", 2},
      {"inf", WithFirstPoint("0 -inf 2 1000 100 0.5 0.4"), "not-finite", 2},
      {"1e400", WithFirstPoint("0 -1 1e400 1000 100 0.5 0.4"), "not-finite", 2},
      {"a line of 512 characters",
       "N = 3\n" + std::string(kPoint1) + ";" + std::string(511, 'x') + "\n" +
           kPoints2And3,
       "unreachable", 3},
      {"a line of 100000 characters",
       "N = 3\n" + std::string(kPoint1) + ";" + std::string(99999, 'x') + "\n" +
           kPoints2And3,
       "unreachable", 3},
      {"a value of 257 characters", WithFirstPoint(long_value),
       "negative-value", 2},
      {"a byte-order mark", "\xEF\xBB\xBF" + ThreePointsWithN("3"),
       "byte-order-mark", 1},
      {"N = 3.5", ThreePointsWithN("3.5"), "n-not-whole", 1},
      {"-1e", WithFirstPoint("0 -1e 2 1000 100 0.5 0.4"), "malformed-number",
       2},
      {"CR only", "N = 3\rPOINT_1 = 0 -1 2\rPOINT_2 = -1 -1 -1\r",
       "point-missing", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto found = analysis::CheckDefinition("Bad.cfg", c.text);
    EXPECT_TRUE(HasCode(found, c.code, c.line))
        << "no " << c.code << " at line " << c.line << "; found "
        << found.size() << " diagnostic(s)";
    if (std::string(c.code) == "not-finite") {
      EXPECT_FALSE(HasCode(found, "collinear", c.line))
          << "a point that is not finite is not a point in a line";
    }
  }
}

// Paths that name no readable file: a clear reason, and exit code 2.
TEST(BadDefinitionCheckTest, UnreadablePathsSayWhy) {
#if defined(_WIN32)
  GTEST_SKIP() << "Wine makes no symbolic links";
#endif
  TestFolder folder;
  const fs::path vantrel = folder.path() / "Config" / "Vantrel";
  fs::create_directories(vantrel);
  fs::create_symlink("Loop.cfg", vantrel / "Bad.cfg");
  fs::create_symlink("Bad.cfg", vantrel / "Loop.cfg");
  CheckArguments arguments;
  arguments.paths = {(vantrel / "Bad.cfg").string()};
  std::ostringstream out, err;
  files::DiskFileSystem files;
  EXPECT_EQ(CheckCommand(arguments, files, out, err), kExitInput);
  EXPECT_NE(out.str().find("Bad.cfg: error: cannot read the file: "),
            std::string::npos)
      << out.str();
  EXPECT_EQ(out.str().find("no such file"), std::string::npos)
      << "a loop of links is not a missing file: " << out.str();
}

}  // namespace
}  // namespace tools
