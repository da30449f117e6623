// Bad definition files, one family of cases per test. Every case runs the
// module in-process on a vessel "Bad" (class "BadClass", 100 kg) whose file
// is Config/Vantrel/Bad.cfg, beside a vessel with a sound file that must
// come through untouched; the host must refuse no call and get every file
// handle back (see bad_input_module.h).
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "bad_input_module.h"

namespace {

using bad_input::NoDefinitionLog;
using bad_input::UpdateWithDefinition;

constexpr char kPoint1[] = "POINT_1 = 0 -1 2 1000 100 0.5 0.4\n";
constexpr char kPoints2And3[] =
    "POINT_2 = -1 -1 -1 1000 100 0.5 0.4\n"
    "POINT_3 = 1 -1 -1 1000 100 0.5 0.4\n";

const std::vector<std::string> kThreePointLog = {
    "Vantrel: Vessel Definition found for name Bad",
    "point1 : 0.000 -1.000 2.000 1000.000 100.000 0.500 0.400",
    "point2 : -1.000 -1.000 -1.000 1000.000 100.000 0.500 0.400",
    "point3 : 1.000 -1.000 -1.000 1000.000 100.000 0.500 0.400",
};

// Text with NUL bytes in it.
template <std::size_t size>
std::string Bytes(const char (&text)[size]) {
  return std::string(text, size - 1);
}

constexpr char kGarbage[] =
    "\x7f"
    "ELF\x02\x01\x01\0\0\0\xff\xfe=\x01\n\x80\x81=\xc3\x28\n\0N\0=\0003\n";
constexpr char kNulInValue[] = "N = 3\nPOINT_1 = 1 2\0 3 1000 100 0.5 0.4\n";

struct Case {
  const char* what;
  std::string text;
  std::vector<std::string> log;
};

void ExpectLogs(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(UpdateWithDefinition(c.text).log, c.log);
  }
}

std::string ThreePointsWithN(const std::string& n) {
  return "N = " + n + "\n" + kPoint1 + kPoints2And3;
}

TEST(BadDefinitionTest, FileBytes) {
  ExpectLogs({
      {"an empty file", "", NoDefinitionLog()},
      {"binary garbage", Bytes(kGarbage), NoDefinitionLog()},
      // The host reads lines as C strings: the value ends at the NUL, and the
      // missing springs and friction are completed from the mass.
      {"a NUL byte inside a value",
       Bytes(kNulInValue) + kPoints2And3,
       {"Vantrel: Vessel Definition found for name Bad",
        "point1 : 1.000 2.000 0.000 981.000 595.097 3.000 3.000",
        "point2 : -1.000 -1.000 -1.000 981.000 595.097 3.000 3.000",
        "point3 : 1.000 -1.000 -1.000 981.000 595.097 3.000 3.000"}},
      // A Ctrl-Z ends the file: the third point repeats the second.
      {"a Ctrl-Z byte before the last point",
       ThreePointsWithN("3").insert(76, "\x1A"),
       {"Vantrel: Vessel Definition found for name Bad",
        "point1 : 0.000 -1.000 2.000 1000.000 100.000 0.500 0.400",
        "point2 : -1.000 -1.000 -1.000 1000.000 100.000 0.500 0.400",
        "point3 : -1.000 -1.000 -1.000 1000.000 100.000 0.500 0.400"}},
      {"a Ctrl-Z byte at the end", ThreePointsWithN("3") + "\x1A",
       kThreePointLog},
  });
}

TEST(BadDefinitionTest, PointCounts) {
  auto too_many = [](const std::string& n) {
    return std::vector<std::string>{
        "Vantrel: Too many TD Pts for: Bad (N = " + n + ", at most 8192)",
        "Vantrel: No TD Pts Override for: BadClass"};
  };
  ExpectLogs({
      {"N = 0", ThreePointsWithN("0"), NoDefinitionLog()},
      {"N = -1", ThreePointsWithN("-1"), NoDefinitionLog()},
      {"N = 2", ThreePointsWithN("2"), NoDefinitionLog()},
      {"N = 8193", ThreePointsWithN("8193"), too_many("8193")},
      {"N = 2147483647", ThreePointsWithN("2147483647"),
       too_many("2147483647")},
      // Beyond 32 bits the host's reader wraps the number around.
      {"N = 99999999999", ThreePointsWithN("99999999999"),
       too_many("1215752191")},
      {"N = 4294967299", ThreePointsWithN("4294967299"), kThreePointLog},
      // Read as sscanf("%d") reads: 3.7 is 3, 1e9 is 1.
      {"N = 3.7", ThreePointsWithN("3.7"), kThreePointLog},
      {"N = 1e9", ThreePointsWithN("1e9"), NoDefinitionLog()},
  });
}

TEST(BadDefinitionTest, RealValues) {
  struct RealCase {
    const char* what;
    const char* point1;
    double x;
    double stiffness;
    const char* log_line;
  };
  const RealCase cases[] = {
      {"nan", "nan -1 2 1000 100 0.5 0.4", NAN, 1000,
       "point1 : nan -1.000 2.000 1000.000 100.000 0.500 0.400"},
      {"inf", "inf -1 2 1000 100 0.5 0.4", INFINITY, 1000,
       "point1 : inf -1.000 2.000 1000.000 100.000 0.500 0.400"},
      {"1e400 overflows to inf", "1e400 -1 2 1000 100 0.5 0.4", INFINITY, 1000,
       "point1 : inf -1.000 2.000 1000.000 100.000 0.500 0.400"},
      {"hex", "0x1p4 -1 2 0x3E8 100 0.5 0.4", 16, 1000,
       "point1 : 16.000 -1.000 2.000 1000.000 100.000 0.500 0.400"},
      // -0 counts as a stiffness left at zero: springs come from the mass.
      {"-0", "-0 -1 2 -0 100 0.5 0.4", -0.0, 981,
       "point1 : -0.000 -1.000 2.000 981.000 595.097 0.500 0.400"},
  };
  for (const RealCase& c : cases) {
    SCOPED_TRACE(c.what);
    const auto outcome = UpdateWithDefinition(std::string("N = 3\nPOINT_1 = ") +
                                              c.point1 + "\n" + kPoints2And3);
    ASSERT_EQ(outcome.sets, 1);
    ASSERT_EQ(outcome.log.size(), 4u);
    EXPECT_EQ(outcome.log[1], c.log_line);
    const double x = outcome.points[0].pos.x;
    EXPECT_TRUE(std::isnan(c.x)
                    ? std::isnan(x)
                    : x == c.x && std::signbit(x) == std::signbit(c.x))
        << x;
    EXPECT_EQ(outcome.points[0].stiffness, c.stiffness);
  }
}

// A line longer than 511 characters ends every search of the host's item
// reader: POINT_2 and POINT_3 after it are not found and repeat POINT_1.
TEST(BadDefinitionTest, LineLengths) {
  const std::vector<std::string> repeated = {
      "Vantrel: Vessel Definition found for name Bad",
      "point1 : 0.000 -1.000 2.000 1000.000 100.000 0.500 0.400",
      "point2 : 0.000 -1.000 2.000 1000.000 100.000 0.500 0.400",
      "point3 : 0.000 -1.000 2.000 1000.000 100.000 0.500 0.400",
  };
  for (const std::size_t length : {255u, 256u, 511u, 512u, 100000u}) {
    SCOPED_TRACE("a line of " + std::to_string(length) + " characters");
    const std::string line = ";" + std::string(length - 1, 'x') + "\n";
    EXPECT_EQ(UpdateWithDefinition("N = 3\n" + std::string(kPoint1) + line +
                                   kPoints2And3)
                  .log,
              length <= 511 ? kThreePointLog : repeated);
  }
}

// The interface promises a value buffer of 255 characters and the NUL; the
// stand-in cuts a longer value there only when asked. The real host copies
// the whole value, up to the 503 characters a line of 511 leaves for it: the
// module's buffer must hold that too (the asan preset sees an overrun).
TEST(BadDefinitionTest, ValueLengths) {
  struct Case {
    std::size_t length;
    bad_input::ValueCopy copy;
    double mu_lng;  // the last number of the value, 0.45, unless cut
  };
  const Case cases[] = {
      {255, bad_input::ValueCopy::kCut, 0.45},
      {256, bad_input::ValueCopy::kCut, 0.4},
      {256, bad_input::ValueCopy::kWhole, 0.45},
      {503, bad_input::ValueCopy::kWhole, 0.45},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("a value of " + std::to_string(c.length) + " characters" +
                 (c.copy == bad_input::ValueCopy::kCut ? ", cut to 255" : ""));
    const std::string head = "0 -1 2 1000 100 0.5";
    const std::string tail = "0.45";
    const std::string value =
        head + std::string(c.length - head.size() - tail.size(), ' ') + tail;
    const std::string line = "POINT_1=" + value;
    ASSERT_LE(line.size(), 511u);
    const auto outcome =
        UpdateWithDefinition("N = 3\n" + line + "\n" + kPoints2And3, c.copy);
    ASSERT_EQ(outcome.sets, 1);
    EXPECT_EQ(outcome.points[0].mu_lng, c.mu_lng);
  }
}

TEST(BadDefinitionTest, LineEnds) {
  ExpectLogs({
      {"CR LF",
       "N = 3\r\nPOINT_1 = 0 -1 2 1000 100 0.5 0.4\r\n"
       "POINT_2 = -1 -1 -1 1000 100 0.5 0.4\r\n"
       "POINT_3 = 1 -1 -1 1000 100 0.5 0.4\r\n",
       kThreePointLog},
      // With CR alone the file is one line: N reads 3 from "3\rPOINT_1 ...",
      // and no POINT item is found, so every point is the text "0".
      {"CR only",
       "N = 3\rPOINT_1 = 0 -1 2 1000 100 0.5 0.4\r"
       "POINT_2 = -1 -1 -1 1000 100 0.5 0.4\r"
       "POINT_3 = 1 -1 -1 1000 100 0.5 0.4\r",
       {"Vantrel: Vessel Definition found for name Bad",
        "point1 : 0.000 0.000 0.000 981.000 595.097 3.000 3.000",
        "point2 : 0.000 0.000 0.000 981.000 595.097 3.000 3.000",
        "point3 : 0.000 0.000 0.000 981.000 595.097 3.000 3.000"}},
  });
}

}  // namespace
