#include "formats/log_format.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace formats {
namespace {

void AppendWithCLibrary(const char* format, va_list args, std::string& text) {
  va_list retry;
  va_copy(retry, args);
  char buffer[512];
  const int length = std::vsnprintf(buffer, sizeof buffer, format, args);
  if (length > 0 && static_cast<std::size_t>(length) < sizeof buffer) {
    text.append(buffer, static_cast<std::size_t>(length));
  } else if (length > 0) {
    const std::size_t start = text.size();
    text.resize(start + static_cast<std::size_t>(length) + 1);
    std::vsnprintf(&text[start], static_cast<std::size_t>(length) + 1, format,
                   retry);
    text.resize(start + static_cast<std::size_t>(length));
  }
  va_end(retry);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// "000" to "999", three characters each.
struct DigitTriples {
  char of[3000];
};

constexpr DigitTriples MakeDigitTriples() {
  DigitTriples triples{};
  for (int i = 0; i < 1000; ++i) {
    triples.of[3 * i] = static_cast<char>('0' + i / 100);
    triples.of[3 * i + 1] = static_cast<char>('0' + i / 10 % 10);
    triples.of[3 * i + 2] = static_cast<char>('0' + i % 10);
  }
  return triples;
}

constexpr DigitTriples kDigitTriples = MakeDigitTriples();

// The number of decimal digits of `value`, at least one.
int DigitCount(std::uint64_t value) {
  int count = 1;
  for (; value >= 10; value /= 10) ++count;
  return count;
}

// Writes the `count` lowest decimal digits of `value` so that they end
// just before `stop`, three at a time.
void WriteDigitsBefore(char* stop, std::uint64_t value, int count) {
  for (; count >= 3; count -= 3, value /= 1000) {
    stop -= 3;
    std::memcpy(stop, &kDigitTriples.of[3 * (value % 1000)], 3);
  }
  for (; count > 0; --count, value /= 10) {
    *--stop = static_cast<char>('0' + value % 10);
  }
}

// Writes `value`, below 1000, without leading zeros at `out`; returns
// where it ends. Three characters are copied in one move whatever the
// length, from the digits' place in the table; those beyond the value are
// written over by what follows, and `out` has room for three.
char* WriteBelowThousand(char* out, std::uint32_t value) {
  const std::uint32_t skipped = value < 10 ? 2 : value < 100 ? 1 : 0;
  std::memcpy(out, &kDigitTriples.of[3 * value + skipped], 3);
  return out + 3 - skipped;
}

// Writes `value` in decimal without leading zeros at `out`, which has room
// for 20 characters; returns where it ends. The parts of reals the module
// logs are mostly below a million: they take one or two moves.
[[gnu::always_inline]] inline char* WriteInteger(char* out,
                                                 std::uint64_t value) {
  if (value < 1000) {
    return WriteBelowThousand(out, static_cast<std::uint32_t>(value));
  }
  if (value < 1000000) {
    const auto thousands = static_cast<std::uint32_t>(value / 1000);
    out = WriteBelowThousand(out, thousands);
    std::memcpy(out, &kDigitTriples.of[3 * (value - 1000 * thousands)], 3);
    return out + 3;
  }
  const int count = DigitCount(value);
  WriteDigitsBefore(out + count, value, count);
  return out + count;
}

// The most characters WriteFixedFromInteger writes: a sign, 13 digits
// below 2^40, a point and 9 decimals, and two that WriteBelowThousand
// may write beyond the value.
constexpr std::ptrdiff_t kLongestFixed = 1 + 13 + 1 + 9 + 2;

// Writes `value` with `precision` decimals from the integer nearest to
// value * 10^precision, where that product shows the rounding of the exact
// decimal value: below 2^40 the product is off the exact one by at most
// 2^-13, so unless its fraction lies within 2^-11 of one half, both round
// to the same integer. False, and nothing written, for any other value (a
// near tie, a large value, inf, nan) or too little room, which
// std::to_chars then writes. Most reals the module logs take this path, at
// a fraction of std::to_chars' cost: the characters go straight to their
// places, with no copy. In line, so that a constant precision makes
// constant divisors.
[[gnu::always_inline]] inline bool WriteFixedFromInteger(char*& out, char* end,
                                                         double value,
                                                         int precision) {
  static constexpr double kScales[] = {1e0, 1e1, 1e2, 1e3, 1e4,
                                       1e5, 1e6, 1e7, 1e8, 1e9};
  static constexpr std::uint64_t kPowers[] = {
      1,      10,      100,      1000,      10000,
      100000, 1000000, 10000000, 100000000, 1000000000};
  constexpr double kLimit = 1099511627776.0;   // 2^40
  constexpr double kTieMargin = 1.0 / 2048.0;  // 2^-11
  const double scaled = std::fabs(value) * kScales[precision];
  if (!(scaled < kLimit) || end - out < kLongestFixed) return false;
  // Below 2^40 the conversion cuts the fraction off exactly; a signed
  // conversion is one instruction each way.
  const auto whole = static_cast<std::int64_t>(scaled);
  const double fraction = scaled - static_cast<double>(whole);
  if (std::fabs(fraction - 0.5) < kTieMargin) return false;
  const auto digits =
      static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
  const std::uint64_t integer = digits / kPowers[precision];
  char* at = out;
  if (std::signbit(value)) *at++ = '-';
  at = WriteInteger(at, integer);
  if (precision > 0) {
    *at++ = '.';
    const std::uint64_t decimals = digits - integer * kPowers[precision];
    if (precision == 3) {
      std::memcpy(at, &kDigitTriples.of[3 * decimals], 3);
    } else {
      WriteDigitsBefore(at + precision, decimals, precision);
    }
    at += precision;
  }
  out = at;
  return true;
}

}  // namespace

void AppendLogLine(const char* format, va_list args, std::string& text) {
  va_list whole;
  va_copy(whole, args);
  // Lines are built in place and copied once; a line that does not fit,
  // like a format with other conversions, goes to the C library.
  char line[512];
  char* out = line;
  char* const end = line + sizeof line;
  bool converted = true;
  for (const char* p = format; converted;) {
    // The text up to the next conversion.
    char c = *p;
    while (c != '%' && c != '\0' && out != end) {
      *out++ = c;
      c = *++p;
    }
    if (c == '\0') break;
    const char* const conversion = p + 1;
    if (c != '%') {
      converted = false;  // no room left
    } else if (conversion[0] == '.' && IsDigit(conversion[1]) &&
               conversion[2] == 'f') {
      const double value = va_arg(args, double);
      const int precision = conversion[1] - '0';
      // The module logs reals with three decimals, most of its conversions.
      const bool written =
          precision == 3 ? WriteFixedFromInteger(out, end, value, 3)
                         : WriteFixedFromInteger(out, end, value, precision);
      if (!written) {
        const auto result =
            std::to_chars(out, end, value, std::chars_format::fixed, precision);
        converted = result.ec == std::errc();
        out = result.ptr;
      }
      p = conversion + 3;
    } else if (*conversion == '%') {
      converted = out != end;
      if (converted) *out++ = '%';
      p = conversion + 1;
    } else if (*conversion == 'i' || *conversion == 'd') {
      const auto result = std::to_chars(out, end, va_arg(args, int));
      converted = result.ec == std::errc();
      out = result.ptr;
      p = conversion + 1;
    } else if (*conversion == 's') {
      const char* text = va_arg(args, const char*);
      if (text == nullptr) text = "(null)";
      for (; *text != '\0' && out < end; ++text) *out++ = *text;
      converted = *text == '\0';
      p = conversion + 1;
    } else {
      converted = false;
    }
  }
  if (converted) {
    text.append(line, static_cast<std::size_t>(out - line));
  } else {
    AppendWithCLibrary(format, whole, text);
  }
  va_end(whole);
}

}  // namespace formats
