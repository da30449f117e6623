#include "analysis/definition_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tools {
namespace {

// "line:column: severity [code]" for every diagnostic, in order.
std::vector<std::string> Found(const std::string& text) {
  std::vector<std::string> found;
  for (const analysis::Diagnostic& d :
       analysis::CheckDefinition("t.cfg", text)) {
    found.push_back(std::to_string(d.line) + ":" + std::to_string(d.column) +
                    ": " + analysis::SeverityName(d.severity) + " [" + d.code +
                    "]");
  }
  return found;
}

std::string MessageOf(const std::string& text, const std::string& code) {
  for (const analysis::Diagnostic& d :
       analysis::CheckDefinition("t.cfg", text)) {
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
  // N that is not a whole number: the host reads what "%d" reads.
  const struct {
    const char* n;
    Lines found;
  } partial[] = {
      {"3.5", {"1:5: warning [n-not-whole]"}},
      {"4abc", {"1:1: warning [point-missing]", "1:5: warning [n-not-whole]"}},
      {"1e1", {"1:5: warning [n-not-whole]", "1:5: error [n-too-small]"}},
      {"0x10", {"1:5: warning [n-not-whole]", "1:5: error [n-too-small]"}},
  };
  for (const auto& p : partial) {
    SCOPED_TRACE(p.n);
    const std::string text = "N = " + std::string(p.n) + "\n" + kPoints;
    EXPECT_EQ(Found(text), p.found);
  }
  EXPECT_EQ(MessageOf(std::string("N = 3.5\n") + kPoints, "n-not-whole"),
            "N = '3.5' is not a whole number; the host reads 3 from it "
            "(write N = 3 if that is meant)");
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
  // The repeated point makes no plane, and the finding says why.
  EXPECT_NE(MessageOf(gap, "collinear").find("(points 2 and 3 coincide)"),
            std::string::npos)
      << MessageOf(gap, "collinear");
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
  // 1.5abc gives 1.5, then the reading stops at "abc"; the damping is 0, so
  // completion replaces that stiffness.
  EXPECT_EQ(Found("N = 3\nPOINT_1 = 0 -1 2 1.5abc 2\nPOINT_2 = -1 -1 -1\n"
                  "POINT_3 = 1 -1 -1\n"),
            (Lines{"2:1: warning [completion-discards]",
                   "2:21: warning [stops-reading]"}));
  // Too few numbers for a position is an error, with or without a stop;
  // the point read (0 -1 0) stands right below the CoG.
  EXPECT_EQ(
      Found("N = 3\nPOINT_1 = 0 -1\nPOINT_2 = -1 -1 -1\n"
            "POINT_3 = 1 -1 -1\n"),
      (Lines{"2:1: warning [cog-not-held]", "2:11: error [point-short]"}));
  EXPECT_EQ(Found("N = 3\nPOINT_1 = 0,5 -1 2\nPOINT_2 = -1 -1 -1\n"
                  "POINT_3 = 1 -1 -1\n"),
            (Lines{"2:1: warning [cog-not-held]", "2:11: error [point-short]",
                   "2:12: warning [stops-reading]"}));
  // "-1e" is not a complete number: the reading stops there on every build,
  // so y, z and the springs are 0 and completion fills them. The message
  // quotes the text that fails.
  const std::string malformed =
      "N = 3\nPOINT_1 = 0 -1e 2 1000 100 0.5 0.4\n"
      "POINT_2 = -1 -1 -1 1000 100 0.5 0.4\nPOINT_3 = 1 -1 -1 1000 100 0.5 "
      "0.4\n";
  EXPECT_EQ(Found(malformed),
            (Lines{"2:1: warning [cog-not-held]", "2:11: error [point-short]",
                   "2:13: warning [malformed-number]",
                   "3:1: warning [completion-overwrites]",
                   "4:1: warning [completion-overwrites]"}));
  EXPECT_NE(MessageOf(malformed, "malformed-number").find("'-1e'"),
            std::string::npos);
  EXPECT_NE(MessageOf(malformed, "malformed-number").find("are 0"),
            std::string::npos);
  // Cut short at the end of the text, and in the other forms of a number.
  for (const char* cut : {"0 -1 2 1e+", "0 -1 2 0x", "0 -1 2 infin",
                          "0 -1 2 nan(a", "0 -1 2 -.e1"}) {
    SCOPED_TRACE(cut);
    EXPECT_EQ(Found(std::string("N = 3\nPOINT_1 = ") + cut +
                    "\nPOINT_2 = -1 -1 -1\nPOINT_3 = 1 -1 -1\n"),
              Lines{"2:18: warning [malformed-number]"});
  }
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
  // Values of the first point that completion throws away.
  const std::string rest =
      "POINT_2 = -1.8 -1.5 -1 3e5 3e4 0.5 0.2\n"
      "POINT_3 = 1.8 -1.5 -1 3e5 3e4 0.5 0.2\n";
  const struct {
    const char* point1;
    const char* lost;
  } discards[] = {
      {"0 -1.5 2 3e5", "stiffness 300000"},
      {"0 -1.5 2 0 3e4 0.5 0.2", "damping 30000"},
      {"0 -1.5 2 3e5 3e4 0 0.5", "longitudinal friction 0.5 given here to 3"},
  };
  for (const auto& d : discards) {
    SCOPED_TRACE(d.point1);
    const std::string text =
        std::string("N = 3\nPOINT_1 = ") + d.point1 + "\n" + rest;
    EXPECT_EQ(Found(text), (Lines{"2:1: warning [completion-discards]",
                                  "3:1: warning [completion-overwrites]",
                                  "4:1: warning [completion-overwrites]"}));
    EXPECT_NE(MessageOf(text, "completion-discards").find(d.lost),
              std::string::npos)
        << MessageOf(text, "completion-discards");
  }
  // The first point is complete: a later one is handed over as written.
  const std::string no_spring =
      "N = 3\nPOINT_1 = 0 -1.5 2 3e5 3e4 0.5 0.2\n"
      "POINT_2 = -1.8 -1.5 -1 3e5 -3e4 0.5 0.2\nPOINT_3 = 1.8 -1.5 -1\n";
  EXPECT_EQ(Found(no_spring), (Lines{"3:1: warning [negative-value]",
                                     "4:1: warning [friction-not-filled]",
                                     "4:1: warning [no-spring]"}));
}

TEST(DefinitionCheckTest, KeysTheModuleNeverReads) {
  // Notepad's byte-order mark becomes part of the first key.
  const std::string marked = std::string("\xEF\xBB\xBFN = 3\n") + kPoints;
  EXPECT_EQ(Found(marked), (Lines{"1:0: error [n-missing]",
                                  "1:1: warning [byte-order-mark]"}));
  EXPECT_NE(MessageOf(marked, "byte-order-mark").find("Encoding ANSI"),
            std::string::npos);
  // Before a comment it does no harm.
  EXPECT_EQ(Found(std::string("\xEF\xBB\xBF; a lander\nN = 3\n") + kPoints),
            Lines{});
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
  {
    SCOPED_TRACE("one finding for a point key typed with look-alikes");
    const std::string sprung =
        "N = 3\nPOINT_l = 0 -1 2 1e5 1e4 0.5\nPOINT_2 = -1 -1 -1 1e5 1e4 "
        "0.5\nPOINT_3: 1 -1 -1 1e5 1e4 0.5\n";
    EXPECT_EQ(Found(sprung), (Lines{"2:1: warning [point-misspelt]",
                                    "4:1: warning [point-misspelt]"}));
    EXPECT_EQ(MessageOf(sprung, "point-misspelt"),
              "'POINT_l' is probably 'POINT_1' ('l' for '1'); as written, the "
              "module never reads this line: POINT_1 is missing, and the "
              "module reads the text \"0\" instead: every value is 0");
    EXPECT_NE(analysis::CheckDefinition("t.cfg", sprung)[1].message.find(
                  "'POINT_3:' is probably 'POINT_3 =' (':' for '='); as "
                  "written"),
              std::string::npos);
    // The rest of the file is checked as meant: here a real problem.
    EXPECT_EQ(
        Found("N = 3\nPOINT_I = 0 -1 2\nPOINT_2 = 0 -1 2\n"
              "POINT_3 = 0 -1 2\n"),
        (Lines{"2:1: warning [collinear]", "2:1: warning [point-misspelt]"}));
    EXPECT_EQ(MessageOf(std::string("N = 3\n") + kPoints + "POINT_1O = 1\n",
                        "unknown-key"),
              "unknown key 'POINT_1O'; did you mean 'POINT_10'? ('O' for '0')")
        << "beyond N, a typo is only an unknown key";
  }
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

TEST(DefinitionCheckTest, LongValuesAreReadWhole) {
  // The host copies the value whole: the stiffness after 255 characters
  // counts, and completion replaces it because the damping is missing.
  const std::string value = "0 -1 2" + std::string(250, ' ') + "3e5";
  const std::string text =
      "N = 3\nPOINT_1 = " + value + "\nPOINT_2 = -1 -1 -1\nPOINT_3 = 1 -1 -1\n";
  EXPECT_EQ(Found(text), Lines{"2:1: warning [completion-discards]"});
  EXPECT_NE(MessageOf(text, "completion-discards").find("stiffness 300000"),
            std::string::npos);
}

TEST(DefinitionCheckTest, TheGroundPlaneOfTheFirstThreePoints) {
  EXPECT_EQ(Found("N = 3\nPOINT_1 = 0 -1 2\nPOINT_2 = 0 -1 1\n"
                  "POINT_3 = 0 -1 -1\n"),
            Lines{"2:1: warning [collinear]"});
  // Swapping points 2 and 3 turns the normal down.
  EXPECT_EQ(Found("N = 3\nPOINT_1 = 0 -1 2\nPOINT_2 = 1 -1 -1\n"
                  "POINT_3 = -1 -1 -1\n"),
            Lines{"2:1: warning [upside-down]"});
  // Points 1-3 all behind the CoG: the host sets the vessel down leaning
  // over their triangle's edge. The warning names the points that hold it,
  // and the file mended so is clean.
  const std::string behind =
      "N = 4\nPOINT_1 = 0 -1 -0.5\nPOINT_2 = -1 -1 -1\nPOINT_3 = 1 -1 -1\n"
      "POINT_4 = 0 -1 2\n";
  EXPECT_EQ(Found(behind), Lines{"2:1: warning [cog-not-held]"});
  const std::string outside = MessageOf(behind, "cog-not-held");
  EXPECT_NE(outside.find("the CoG lies outside triangle 1-2-3"),
            std::string::npos)
      << outside;
  EXPECT_NE(outside.find("points 4, 2 and 3 hold it 0.632 m inside their "
                         "triangle: make them POINT_1, POINT_2 and POINT_3"),
            std::string::npos)
      << outside;
  EXPECT_EQ(Found("N = 4\nPOINT_1 = 0 -1 2\nPOINT_2 = -1 -1 -1\n"
                  "POINT_3 = 1 -1 -1\nPOINT_4 = 0 -1 -0.5\n"),
            Lines{});
  // A CoG 1 cm inside an edge, 1 m up: a lean of 0.57 degrees tips it.
  const std::string near =
      "N = 3\nPOINT_1 = 0 -1 2\nPOINT_2 = -1 -1 -0.01\n"
      "POINT_3 = 1 -1 -0.01\n";
  EXPECT_EQ(Found(near), Lines{"2:1: warning [cog-not-held]"});
  EXPECT_NE(MessageOf(near, "cog-not-held")
                .find("too near the edge from point 2 to point 3"),
            std::string::npos);
}

TEST(DefinitionCheckTest, FileNamesThatNoKeyReaches) {
  EXPECT_TRUE(analysis::CheckDefinitionFileName("x", "Lander.CFG").empty());
  EXPECT_TRUE(analysis::CheckDefinitionFileName("x", "Tug___Mk2.cfg").empty());
  // Class Vessels\Soyuz/TMA opens Vessels/Soyuz___TMA.cfg.
  EXPECT_TRUE(analysis::CheckDefinitionFileName("x", "Vessels/Soyuz___TMA.cfg")
                  .empty());
  EXPECT_EQ(analysis::CheckDefinitionFileName("x", "Lander.txt").size(), 1u);
  EXPECT_EQ(analysis::CheckDefinitionFileName("x", "Lander?.cfg").size(), 1u);
  // The module never opens a key that names a device.
  for (const char* device : {"CON.cfg", "Fleet/nul.txt.cfg", "LPT1.cfg"}) {
    SCOPED_TRACE(device);
    const auto found = analysis::CheckDefinitionFileName("x", device);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].code, "unsafe-key");
  }
  EXPECT_NE(analysis::CheckDefinitionFileName("x", "Fleet/nul.txt.cfg")[0]
                .message.find("'Fleet\\nul.txt'"),
            std::string::npos);
}

TEST(DefinitionCheckTest, ArbitraryBytesGiveDiagnosticsNotCrashes) {
  std::string text = "N = 5\nPOINT_1 = \x01\xff nan inf -inf 1e999\n";
  text += std::string("POINT_2 = 0x1p3 ") + '\0' + " 4\r\nPOINT_3\n=\n;\n";
  // A control byte stops POINT_1 at once; the NUL ends POINT_2's text
  // after 0x1p3; POINT_3 has no value and "=" alone has an empty key.
  EXPECT_EQ(Found(text),
            (Lines{"1:1: warning [point-missing]", "2:1: warning [collinear]",
                   "2:11: warning [stops-reading]", "2:11: error [point-short]",
                   "3:11: error [point-short]", "4:1: warning [point-missing]",
                   "5:1: warning [unknown-key]"}));
  EXPECT_NE(MessageOf(text, "point-short").find("POINT_1 has 0 number(s)"),
            std::string::npos);
}

}  // namespace
}  // namespace tools
