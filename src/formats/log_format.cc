#include "log_format.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace standin {
namespace {

std::string FormatWithCLibrary(const char* format, va_list args) {
  va_list retry;
  va_copy(retry, args);
  char buffer[512];
  const int length = std::vsnprintf(buffer, sizeof buffer, format, args);
  std::string line;
  if (length > 0 && static_cast<std::size_t>(length) < sizeof buffer) {
    line.assign(buffer, static_cast<std::size_t>(length));
  } else if (length > 0) {
    line.resize(static_cast<std::size_t>(length) + 1);
    std::vsnprintf(&line[0], line.size(), format, retry);
    line.resize(static_cast<std::size_t>(length));
  }
  va_end(retry);
  return line;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Writes `value` with `precision` decimals from the integer nearest to
// value * 10^precision, where that product shows the rounding of the exact
// decimal value: below 2^40 the product is off the exact one by at most
// 2^-13, so unless its fraction lies within 2^-11 of one half, both round
// to the same integer. False, and nothing written, for any other value (a
// near tie, a large value, inf, nan), which std::to_chars writes. Most
// reals the module logs take this path, at a fraction of std::to_chars'
// cost.
bool WriteFixedFromInteger(char*& out, char* end, double value, int precision) {
  static constexpr double kScales[] = {1e0, 1e1, 1e2, 1e3, 1e4,
                                       1e5, 1e6, 1e7, 1e8, 1e9};
  constexpr double kLimit = 1099511627776.0;   // 2^40
  constexpr double kTieMargin = 1.0 / 2048.0;  // 2^-11
  const double scaled = std::fabs(value) * kScales[precision];
  if (!(scaled < kLimit)) return false;
  const double whole = std::floor(scaled);
  if (std::fabs(scaled - whole - 0.5) < kTieMargin) return false;
  std::uint64_t digits =
      static_cast<std::uint64_t>(whole) + (scaled - whole > 0.5 ? 1 : 0);
  // At most 13 digits, a point and a sign.
  char text[32];
  char* start = text + sizeof text;
  for (int k = 0; k < precision; ++k) {
    *--start = static_cast<char>('0' + digits % 10);
    digits /= 10;
  }
  if (precision > 0) *--start = '.';
  do {
    *--start = static_cast<char>('0' + digits % 10);
    digits /= 10;
  } while (digits != 0);
  if (std::signbit(value)) *--start = '-';
  const char* const stop = text + sizeof text;
  if (end - out < stop - start) return false;
  for (const char* c = start; c < stop; ++c) *out++ = *c;
  return true;
}

}  // namespace

std::string FormatLogLine(const char* format, va_list args) {
  va_list whole;
  va_copy(whole, args);
  // Lines are built in place and copied once; a line that does not fit,
  // like a format with other conversions, goes to the C library.
  char line[512];
  char* out = line;
  char* const end = line + sizeof line;
  bool converted = true;
  for (const char* p = format; *p != '\0' && converted; ++p) {
    const char* conversion = p + 1;
    if (*p != '%' || *conversion == '%') {
      converted = out < end;
      if (converted) *out++ = *p;
      if (*p == '%') p = conversion;
    } else if (*conversion == 'i' || *conversion == 'd') {
      const auto result = std::to_chars(out, end, va_arg(args, int));
      converted = result.ec == std::errc();
      out = result.ptr;
      p = conversion;
    } else if (*conversion == 's') {
      const char* text = va_arg(args, const char*);
      if (text == nullptr) text = "(null)";
      for (; *text != '\0' && out < end; ++text) *out++ = *text;
      converted = *text == '\0';
      p = conversion;
    } else if (conversion[0] == '.' && IsDigit(conversion[1]) &&
               conversion[2] == 'f') {
      const double value = va_arg(args, double);
      const int precision = conversion[1] - '0';
      if (!WriteFixedFromInteger(out, end, value, precision)) {
        const auto result =
            std::to_chars(out, end, value, std::chars_format::fixed, precision);
        converted = result.ec == std::errc();
        out = result.ptr;
      }
      p = conversion + 2;
    } else {
      converted = false;
    }
  }
  std::string formatted =
      converted ? std::string(line, out) : FormatWithCLibrary(format, whole);
  va_end(whole);
  return formatted;
}

}  // namespace standin
