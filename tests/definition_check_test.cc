#include "definition_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// "line:column: severity [code]" for every diagnostic, in order.
std::vector<std::string> Found(const std::string& text) {
  std::vector<std::string> found;
  for (const Diagnostic& d : CheckDefinition("t.cfg", text)) {
    found.push_back(std::to_string(d.line) + ":" + std::to_string(d.column) +
                    ": " + SeverityName(d.severity) + " [" + d.code + "]");
  }
  return found;
}

std::string MessageOf(const std::string& text, const std::string& code) {
  for (const Diagnostic& d : CheckDefinition("t.cfg", text)) {
    if (d.code == code) return d.message;
  }
  return "<none>";
}

using Lines = std::vector<std::string>;

const char* const kPoints =
    "POINT_1 = 0 -1.5 2 3e5 3e4 0.5 0.2\n"
    "POINT_2 = -1.8 -1.5 -1 3e5 3e4 0.5 0.2\n"
    "POINT_3 = 1.8 -1.5 -1 3e5 3e4 0.5 0.2\n";

TEST(DefinitionCheckTest, ACleanFileHasNothingToSay) {
  EXPECT_EQ(Found(std::string("; a lander\nN = 3\n") + kPoints), Lines{});
  // Keys that differ only in case are what the host reads.
  EXPECT_EQ(Found("n = 3\npoint_1 = 0 -1 2\nPoint_2 = -1 -1 -1\n"
                  "POINT_3 = 1 -1 -1\n"),
            Lines{});
}

TEST(DefinitionCheckTest, ThePointCountIsAnError) {
  EXPECT_EQ(Found(kPoints), Lines{"1:0: error [n-missing]"});
  EXPECT_EQ(Found(std::string("N =\n") + kPoints),
            Lines{"1:1: error [n-missing]"});
  EXPECT_EQ(Found(std::string("N = three\n") + kPoints),
            Lines{"1:5: error [n-missing]"});
  EXPECT_EQ(Found(std::string("N = 2\n") + kPoints),
            Lines{"1:5: error [n-too-small]"});
  EXPECT_EQ(Found(std::string("N = 8193\n") + kPoints),
            Lines{"1:5: error [n-too-large]"});
  // The bound itself is fine; the points it asks for are what is missing.
  EXPECT_EQ(Found(std::string("N = 8192\n") + kPoints),
            Lines{"1:1: warning [point-missing]"});
  EXPECT_NE(MessageOf(std::string("N = 8192\n") + kPoints, "point-missing")
                .find("POINT_4 to POINT_8192 are missing; for each the "
                      "module repeats POINT_3 (line 4)"),
            std::string::npos);
}

TEST(DefinitionCheckTest, MissingPointsSayWhatTheyRepeat) {
  const std::string gap =
      "N = 4\nPOINT_1 = 0 -1 2\nPOINT_2 = -1 -1 -1\nPOINT_4 = 1 -1 -1\n";
  EXPECT_EQ(Found(gap), (Lines{"1:1: warning [point-missing]",
                               "2:1: warning [collinear]"}));
  EXPECT_EQ(MessageOf(gap, "point-missing"),
            "POINT_3 is missing; the module repeats POINT_2 (line 3)");
  // Before any point was read the module's buffer holds "0".
  const std::string no_first = "N = 3\nPOINT_2 = -1 -1 -1\nPOINT_3 = 1 -1 -1\n";
  EXPECT_NE(MessageOf(no_first, "point-missing").find("POINT_1 is missing"),
            std::string::npos);
  EXPECT_NE(MessageOf(no_first, "point-missing").find("\"0\""),
            std::string::npos);
  // A point line without a value fails the read the same way.
  const std::string empty =
      "N = 3\nPOINT_1 = 0 -1 2\nPOINT_2 =\nPOINT_3 = 1 -1 -1\n";
  EXPECT_EQ(MessageOf(empty, "point-missing"),
            "POINT_2 has no value; the module repeats POINT_1 (line 2)");
}

TEST(DefinitionCheckTest, NumbersThatTheModuleDoesNotRead) {
  // 1.5abc gives 1.5, then the reading stops at "abc".
  EXPECT_EQ(Found("N = 3\nPOINT_1 = 0 -1 2 1.5abc 2\nPOINT_2 = -1 -1 -1\n"
                  "POINT_3 = 1 -1 -1\n"),
            Lines{"2:21: warning [stops-reading]"});
  // Too few numbers for a position is an error, with or without a stop.
  EXPECT_EQ(Found("N = 3\nPOINT_1 = 0 -1\nPOINT_2 = -1 -1 -1\n"
                  "POINT_3 = 1 -1 -1\n"),
            Lines{"2:11: error [point-short]"});
  EXPECT_EQ(
      Found("N = 3\nPOINT_1 = 0,5 -1 2\nPOINT_2 = -1 -1 -1\n"
            "POINT_3 = 1 -1 -1\n"),
      (Lines{"2:11: error [point-short]", "2:12: warning [stops-reading]"}));
  // A seventh number counts on points 1 to 3 only.
  EXPECT_EQ(Found(std::string("N = 4\n") + kPoints +
                  "POINT_4 = 0 3 -2 1e6 1e5 0.8 0.4\n"),
            Lines{"5:30: warning [ignored-seventh]"});
}

TEST(DefinitionCheckTest, CompletionDecidedOnTheFirstPoint) {
  // The first point leaves the springs to completion: later ones lose theirs.
  const std::string overwrite =
      "N = 3\nPOINT_1 = 0 -1 2 0 0 0.5\nPOINT_2 = -1 -1 -1 3e5 3e4 0.5\n"
      "POINT_3 = 1 -1 -1 0 0 0.5\n";
  EXPECT_EQ(Found(overwrite), Lines{"3:1: warning [completion-overwrites]"});
  // The first point has friction: a later zero is not filled.
  const std::string unfilled =
      "N = 3\nPOINT_1 = 0 -1 2 3e5 3e4 0.5\nPOINT_2 = -1 -1 -1 3e5 3e4 0\n"
      "POINT_3 = 1 -1 -1 3e5 3e4 0.5\n";
  EXPECT_EQ(Found(unfilled), Lines{"3:1: warning [friction-not-filled]"});
  EXPECT_NE(MessageOf(unfilled, "friction-not-filled").find("(0.5)"),
            std::string::npos);
  // Friction left to completion overwrites a later point's friction.
  const std::string friction =
      "N = 3\nPOINT_1 = 0 -1 2 3e5 3e4 0\nPOINT_2 = -1 -1 -1 3e5 3e4 0.7\n"
      "POINT_3 = 1 -1 -1 3e5 3e4\n";
  EXPECT_EQ(Found(friction), Lines{"3:1: warning [completion-overwrites]"});
}

TEST(DefinitionCheckTest, KeysTheModuleNeverReads) {
  EXPECT_EQ(Found(std::string("N = 3\n") + kPoints + "POINT_4 = 0 3 -2\n"),
            Lines{"5:1: warning [point-beyond-n]"});
  EXPECT_EQ(Found(std::string("N = 3\n") + kPoints + "N = 4\n"),
            Lines{"5:1: warning [duplicate-key]"});
  EXPECT_EQ(MessageOf(std::string("N = 3\n") + kPoints + "point_2 = 0 0 0\n",
                      "duplicate-key"),
            "point_2 is given again; only the first, on line 3, counts");
  const std::string typo = std::string("N = 3\n") + kPoints +
                           "PIONT_4 = 1 2 3\nPOINT_05 = 1\nMASS = 4\n";
  EXPECT_EQ(Found(typo),
            (Lines{"5:1: warning [unknown-key]", "6:1: warning [unknown-key]",
                   "7:1: warning [unknown-key]"}));
  EXPECT_EQ(MessageOf(std::string("N = 3\n") + kPoints + "PIONT_4 = 1 2 3\n",
                      "unknown-key"),
            "unknown key 'PIONT_4'; did you mean 'POINT_4'?");
  EXPECT_NE(MessageOf(std::string("N = 3\n") + kPoints + "POINT_05 = 1\n",
                      "unknown-key")
                .find("'POINT_5'"),
            std::string::npos);
  // A binary file's key is shown as a short, escaped excerpt.
  std::string binary(300, '\x01');
  binary[0] = 'M';
  binary[1] = '\xff';
  std::string excerpt = "M\\xFF";
  for (int i = 0; i < 30; ++i) excerpt += "\\x01";
  EXPECT_EQ(MessageOf(std::string("N = 3\n") + kPoints + binary + "\n",
                      "unknown-key"),
            "unknown key '" + excerpt +
                "... (300 bytes)'; the module reads only N and POINT_1 to "
                "POINT_N (the line has no '=')");
}

TEST(DefinitionCheckTest, LinesTheReaderNeverReaches) {
  EXPECT_EQ(Found(std::string("N = 3\n") + kPoints + "END_PARSE\nfoo = 1\n"),
            Lines{"6:1: warning [unreachable]"});
  // Comments after END_PARSE are fine.
  EXPECT_EQ(Found(std::string("N = 3\n") + kPoints + "end_parse\n; notes\n"),
            Lines{});
  // A line of 512 characters stops the reader: POINT_3 after it is lost.
  const std::string long_comment = "; " + std::string(510, 'x') + "\n";
  const std::string text = "N = 3\nPOINT_1 = 0 -1 2\nPOINT_2 = -1 -1 -1\n" +
                           long_comment + "POINT_3 = 1 -1 -1\n";
  EXPECT_EQ(Found(text),
            (Lines{"1:1: warning [point-missing]", "2:1: warning [collinear]",
                   "4:0: warning [unreachable]"}));
  // 511 characters are still read.
  EXPECT_EQ(Found(std::string("N = 3\n") + kPoints + "; " +
                  std::string(509, 'x') + "\n"),
            Lines{});
}

TEST(DefinitionCheckTest, LongValues) {
  const std::string value = "0 -1 2" + std::string(250, ' ') + "3e5";
  EXPECT_EQ(Found("N = 3\nPOINT_1 = " + value +
                  "\nPOINT_2 = -1 -1 -1\nPOINT_3 = 1 -1 -1\n"),
            Lines{"2:11: warning [value-too-long]"});
}

TEST(DefinitionCheckTest, TheGroundPlaneOfTheFirstThreePoints) {
  EXPECT_EQ(Found("N = 3\nPOINT_1 = 0 -1 2\nPOINT_2 = 0 -1 1\n"
                  "POINT_3 = 0 -1 -1\n"),
            Lines{"2:1: warning [collinear]"});
  // Swapping points 2 and 3 turns the normal down.
  EXPECT_EQ(Found("N = 3\nPOINT_1 = 0 -1 2\nPOINT_2 = 1 -1 -1\n"
                  "POINT_3 = -1 -1 -1\n"),
            Lines{"2:1: warning [upside-down]"});
}

TEST(DefinitionCheckTest, FileNamesThatNoKeyReaches) {
  EXPECT_TRUE(CheckDefinitionFileName("x", "Lander.CFG").empty());
  EXPECT_TRUE(CheckDefinitionFileName("x", "Tug___Mk2.cfg").empty());
  const auto folder = CheckDefinitionFileName("x", "Tug/Mk2.cfg");
  ASSERT_EQ(folder.size(), 1u);
  EXPECT_EQ(folder[0].code, "file-name");
  EXPECT_NE(folder[0].message.find("Tug___Mk2.cfg"), std::string::npos);
  EXPECT_NE(folder[0].message.find("Tug\\Mk2"), std::string::npos);
  EXPECT_EQ(CheckDefinitionFileName("x", "Lander.txt").size(), 1u);
  EXPECT_EQ(CheckDefinitionFileName("x", "Lander?.cfg").size(), 1u);
}

TEST(DefinitionCheckTest, ArbitraryBytesGiveDiagnosticsNotCrashes) {
  std::string text = "N = 5\nPOINT_1 = \x01\xff nan inf -inf 1e999\n";
  text += std::string("POINT_2 = 0x1p3 ") + '\0' + " 4\r\nPOINT_3\n=\n;\n";
  const auto found = CheckDefinition("t.cfg", text);
  EXPECT_FALSE(found.empty());
  for (const Diagnostic& d : found) EXPECT_EQ(d.file, "t.cfg");
}

}  // namespace
