#include "rules/point_number.h"

#include <cstdint>
#include <cstring>
#include <system_error>

#include "fast_float/fast_float.h"

namespace rules {

namespace {

using Outcome = NumberRead::Outcome;

constexpr std::uint64_t kSignBit = std::uint64_t{1} << 63;
constexpr std::uint64_t kInfinityBits = std::uint64_t{0x7FF} << 52;
constexpr std::uint64_t kQuietNaNBits = std::uint64_t{0xFFF} << 51;
constexpr std::uint64_t kFractionMask = (std::uint64_t{1} << 52) - 1;
constexpr int kFractionBits = 52;
constexpr std::int64_t kExponentBias = 1023;
constexpr std::int64_t kMaxExponent = 1023;
// The weight of the lowest bit of the smallest subnormal: 2^-1074.
constexpr std::int64_t kLowestBit = -1074;
// Binary exponents beyond this give an infinity or 0 for any mantissa the
// text can hold; a longer run of digits is read without overflow.
constexpr std::int64_t kExponentLimit = std::int64_t{1} << 50;

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

char Lower(char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; }

int HexDigit(char c) {
  if (IsDigit(c)) return c - '0';
  const char lower = Lower(c);
  return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

// What may stand between the parentheses of "nan(...)".
bool IsNanChar(char c) {
  return IsDigit(c) || (Lower(c) >= 'a' && Lower(c) <= 'z') || c == '_';
}

// How many characters of the lower-case `word` the text spells, in any case.
int Spelled(const char* text, const char* word) {
  int n = 0;
  while (word[n] != '\0' && Lower(text[n]) == word[n]) ++n;
  return n;
}

double FromBits(std::uint64_t bits) {
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

int HighestBit(std::uint64_t value) {
  int bit = 63;
  while ((value >> bit) == 0) --bit;
  return bit;
}

// The bits of the double nearest to mantissa * 2^exponent, ties to even.
// `sticky` says that nonzero digits below the mantissa were dropped.
std::uint64_t NearestBits(std::uint64_t mantissa, bool sticky,
                          std::int64_t exponent) {
  if (mantissa == 0) return 0;
  const std::int64_t top = exponent + HighestBit(mantissa);
  if (top > kMaxExponent) return kInfinityBits;
  // The weight of the lowest bit the double keeps: 53 bits from the top, or
  // the subnormals' lowest.
  std::int64_t lowest = top - kFractionBits;
  if (lowest < kLowestBit) lowest = kLowestBit;
  const std::int64_t shift = lowest - exponent;
  std::uint64_t kept;
  if (shift <= 0) {
    kept = mantissa << -shift;
  } else {
    bool half = false;
    bool below_half = sticky;
    if (shift > 64) {
      kept = 0;
      below_half = true;
    } else if (shift == 64) {
      kept = 0;
      half = (mantissa >> 63) != 0;
      below_half = below_half || (mantissa << 1) != 0;
    } else {
      kept = mantissa >> shift;
      half = ((mantissa >> (shift - 1)) & 1) != 0;
      below_half = below_half ||
                   (mantissa & ((std::uint64_t{1} << (shift - 1)) - 1)) != 0;
    }
    if (half && (below_half || (kept & 1) != 0)) ++kept;
  }
  if ((kept >> (kFractionBits + 1)) != 0) {
    kept >>= 1;
    ++lowest;
  }
  if ((kept >> kFractionBits) == 0) return kept;  // a subnormal
  const std::int64_t biased = lowest + kFractionBits + kExponentBias;
  if (biased >= 2 * kMaxExponent + 1) return kInfinityBits;
  return static_cast<std::uint64_t>(biased) << kFractionBits |
         (kept & kFractionMask);
}

NumberRead Failure(const char* item, const char* end) {
  NumberRead read;
  read.outcome = Outcome::kFailure;
  read.item = item;
  read.end = end;
  return read;
}

NumberRead Number(const char* item, const char* end, double value) {
  NumberRead read;
  read.outcome = Outcome::kNumber;
  read.item = item;
  read.end = end;
  read.value = value;
  return read;
}

// Reads the digits after "0x" at `p`.
NumberRead ReadHex(const char* item, const char* p, bool negative) {
  std::uint64_t mantissa = 0;
  int kept_digits = 0;
  bool sticky = false;
  bool any = false;
  bool point = false;
  std::int64_t exponent = 0;
  for (;; ++p) {
    if (*p == '.' && !point) {
      point = true;
      continue;
    }
    const int digit = HexDigit(*p);
    if (digit < 0) break;
    any = true;
    if (mantissa == 0 && digit == 0) {
      if (point) exponent -= 4;
    } else if (kept_digits < 16) {
      mantissa = mantissa << 4 | static_cast<std::uint64_t>(digit);
      ++kept_digits;
      if (point) exponent -= 4;
    } else {
      sticky = sticky || digit != 0;
      if (!point) exponent += 4;
    }
  }
  if (!any) return Failure(item, p);
  if (Lower(*p) == 'p') {
    const char* q = p + 1;
    const bool minus = *q == '-';
    if (*q == '+' || *q == '-') ++q;
    if (!IsDigit(*q)) return Failure(item, q);
    std::int64_t power = 0;
    for (; IsDigit(*q); ++q) {
      if (power < kExponentLimit) power = power * 10 + (*q - '0');
    }
    exponent += minus ? -power : power;
    p = q;
  }
  std::uint64_t bits = NearestBits(mantissa, sticky, exponent);
  if (negative) bits |= kSignBit;
  return Number(item, p, FromBits(bits));
}

bool HasExponent(const char* number, const char* end) {
  for (; number < end; ++number) {
    if (Lower(*number) == 'e') return true;
  }
  return false;
}

// Reads decimal digits at `p`, which follows the sign. fast_float reads the
// longest whole number there, as strtod does; what it leaves of an item is
// an exponent cut short ("1e", "1e+"), or a "." without digits.
[[gnu::always_inline]] inline NumberRead ReadDecimal(const char* item,
                                                     const char* p,
                                                     const char* end,
                                                     bool negative) {
  double value = 0.0;
  const fast_float::from_chars_result read =
      fast_float::from_chars(p, end, value);
  if (read.ec != std::errc()) return Failure(item, p + 1);
  const char* after = read.ptr;
  if (Lower(*after) == 'e' && !HasExponent(p, after)) {
    const char* q = after + 1;
    if (*q == '+' || *q == '-') ++q;
    return Failure(item, q);
  }
  return Number(item, after, negative ? -value : value);
}

NumberRead ReadSpecial(const char* item, const char* p, bool negative) {
  const std::uint64_t sign = negative ? kSignBit : 0;
  if (Lower(*p) == 'i') {
    const int spelled = Spelled(p, "infinity");
    if (spelled == 3 || spelled == 8) {
      return Number(item, p + spelled, FromBits(kInfinityBits | sign));
    }
    return Failure(item, p + spelled);
  }
  const int spelled = Spelled(p, "nan");
  if (spelled < 3) return Failure(item, p + spelled);
  p += spelled;
  if (*p == '(') {
    const char* q = p + 1;
    while (IsNanChar(*q)) ++q;
    if (*q != ')') return Failure(item, q);
    p = q + 1;
  }
  return Number(item, p, FromBits(kQuietNaNBits | sign));
}

// One real at `text`, in line wherever it is used.
[[gnu::always_inline]] inline NumberRead ReadOne(const char* text,
                                                 const char* end) {
  const char* item = text;
  while (IsSpace(*item)) ++item;
  // Most numbers are decimal digits, perhaps after a '-': fast_float reads
  // them whole, the sign included. Only an exponent cut short ("1e") needs
  // the longer way below.
  const bool minus = *item == '-';
  if (IsDigit(item[minus]) &&
      !(item[minus] == '0' && Lower(item[minus + 1]) == 'x')) {
    double value = 0.0;
    const char* after = fast_float::from_chars(item, end, value).ptr;
    if (Lower(*after) != 'e') return Number(item, after, value);
  }
  if (*item == '\0') {
    NumberRead read;
    read.item = item;
    read.end = item;
    return read;
  }
  const char* p = item;
  const bool negative = *p == '-';
  if (*p == '+' || *p == '-') ++p;
  if (p[0] == '0' && Lower(p[1]) == 'x') return ReadHex(item, p + 2, negative);
  if (IsDigit(*p) || *p == '.') return ReadDecimal(item, p, end, negative);
  if (Lower(*p) == 'i' || Lower(*p) == 'n') {
    return ReadSpecial(item, p, negative);
  }
  return Failure(item, p);
}

// Reads the next number of `point` from `at`; false when the reading
// stops there.
[[gnu::always_inline]] inline bool ReadNext(const char* text, const char* end,
                                            const char*& at, PointText& point) {
  const NumberRead read = ReadOne(at, end);
  if (read.outcome == NumberRead::Outcome::kFailure) {
    point.stop = static_cast<int>(read.item - text);
    point.stop_end = static_cast<int>(read.end - text);
  }
  if (read.outcome != NumberRead::Outcome::kNumber) return false;
  point.numbers[point.count] = read.value;
  point.start[point.count] = static_cast<int>(read.item - text);
  point.end[point.count] = static_cast<int>(read.end - text);
  ++point.count;
  at = read.end;
  return true;
}

}  // namespace

NumberRead ReadNumber(const char* text, const char* end) {
  return ReadOne(text, end);
}

PointText ParsePoint(const char* text) {
  static_assert(kPointNumbers == 7, "one step below for each number");
  PointText point;
  const char* const end = text + std::strlen(text);
  const char* at = text;
  // One step for each number, written out: each step's branches then see
  // the same kind of number every time a file gives the same shape of
  // value (the sign, the exponent), and are foreseen as a loop's are not.
  ReadNext(text, end, at, point) && ReadNext(text, end, at, point) &&
      ReadNext(text, end, at, point) && ReadNext(text, end, at, point) &&
      ReadNext(text, end, at, point) && ReadNext(text, end, at, point) &&
      ReadNext(text, end, at, point);
  return point;
}

}  // namespace rules
