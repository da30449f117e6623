#include "formats/log_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

namespace {

std::string Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string line;
  formats::AppendLogLine(format, args, line);
  va_end(args);
  return line;
}

std::string CLibrary(const char* format, ...) {
  va_list args;
  va_start(args, format);
  char buffer[1024];
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  return buffer;
}

TEST(LogFormatTest, RealsReadAsPrintfWritesThem) {
  const double inf = std::numeric_limits<double>::infinity();
  const double special[] = {
      0.0,      -0.0,   0.0005, 0.0015,    0.0625, -0.0625, 2.5e-4,     -1e-4,
      595.0969, 1e6,    981.0,  -981.0,    1e300,  -1e308,  5e-324,     0.1,
      0.125,    1.0005, 2.0005, 4096.4375, inf,    -inf,    123456.7895};
  for (double value : special) {
    for (const char* format : {"%.3f", "%.0f", "%.1f", "%.9f"}) {
      SCOPED_TRACE(format);
      EXPECT_EQ(Format(format, value), CLibrary(format, value)) << value;
    }
  }
  EXPECT_EQ(Format("%.3f", std::nan("")), "nan");
  EXPECT_EQ(Format("%.3f", -std::nan("")), "-nan");

  std::mt19937_64 random(20261208);
  std::uniform_int_distribution<int> exponent(-30, 30);
  std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
  for (int i = 0; i < 20000; ++i) {
    const double value = std::ldexp(mantissa(random), exponent(random));
    ASSERT_EQ(Format("%.3f", value), CLibrary("%.3f", value)) << value;
  }
  // Halves at the fourth decimal, some exact in binary (n / 16), which
  // round to even.
  for (int thousandths = -2000; thousandths <= 2000; ++thousandths) {
    const double value = (thousandths + 0.5) / 1000.0;
    ASSERT_EQ(Format("%.3f", value), CLibrary("%.3f", value)) << value;
    const double quarter = thousandths / 16.0;
    ASSERT_EQ(Format("%.3f", quarter), CLibrary("%.3f", quarter)) << quarter;
  }
}

TEST(LogFormatTest, TheModulesLinesAndEverythingElse) {
  EXPECT_EQ(Format("point%i : %.3f %.3f %.3f %.3f %.3f %.3f %.3f", 12, 0.0,
                   -2.5, 10.0, 981.0, 595.0969, 3.0, 3.0),
            "point12 : 0.000 -2.500 10.000 981.000 595.097 3.000 3.000");
  EXPECT_EQ(Format("Vantrel: No TD Pts Override for: %s", "Lander/Mk2"),
            "Vantrel: No TD Pts Override for: Lander/Mk2");
  EXPECT_EQ(Format("%d%% of %i", -7, 2147483647), "-7% of 2147483647");
  EXPECT_EQ(Format("%s|%s", "", static_cast<const char*>(nullptr)),
            CLibrary("%s|%s", "", static_cast<const char*>(nullptr)));
  // Conversions it does not convert itself go to the C library whole, even
  // after some that it does.
  EXPECT_EQ(
      Format("%i %8.2f|%-4d|%x %g %.12f", 1, 3.14159, 5, 255u, 0.5, 0.1),
      CLibrary("%i %8.2f|%-4d|%x %g %.12f", 1, 3.14159, 5, 255u, 0.5, 0.1));
  const std::string long_text(3000, 'x');
  EXPECT_EQ(Format("%s %5s", long_text.c_str(), "a").size(), 3006u);
  EXPECT_EQ(Format("no conversions"), "no conversions");
  EXPECT_EQ(Format(""), "");
}

}  // namespace
