#ifndef VANTREL_RULES_POINT_NUMBER_H_
#define VANTREL_RULES_POINT_NUMBER_H_

#include <array>
#include <cstddef>

// The reader of the reals in a POINT value, the same in every build of the
// plug-in and in every tool, whatever C library the build links. It reads
// what the C standard's "%lf" input conversion reads:
//
// - leading white space (space, \t, \n, \v, \f, \r) is skipped;
// - the input item is the longest text that is, or begins, a number: an
//   optional sign, then decimal digits with an optional "." and an optional
//   exponent ("e", a sign, digits), or "0x" hexadecimal digits with an
//   optional "." and an optional binary exponent ("p", a sign, decimal
//   digits), or "inf", "infinity", "nan" or "nan(" letters, digits and "_"
//   ")", all in any case;
// - an item that is not a whole number ("1e", "-", "0x", ".", "infin",
//   "nan(ab"), or no item at all ("abc"), is a matching failure;
// - the value is correctly rounded to nearest, ties to even: overflow gives
//   an infinity, underflow the rounded subnormal or zero, the sign kept.
//
// C libraries read the failing items differently (glibc reads "-1e" as -1
// and goes on after it); this reader fails on them in every build.
// Host-free, and fit for a plug-in built without exceptions or a C++
// runtime library.
namespace rules {

struct NumberRead {
  enum class Outcome {
    kNumber,   // `value` holds the number written from `item` to `end`
    kFailure,  // `item` to `end` is not a number: a matching failure
    kEnd,      // only white space was left; `item` and `end` are its end
  };
  Outcome outcome = Outcome::kEnd;
  double value = 0.0;
  const char* item = nullptr;  // where the input item starts
  const char* end = nullptr;   // one past its last character
};

// Reads one real from `text`; `end` points at the NUL that ends it.
NumberRead ReadNumber(const char* text, const char* end);

constexpr std::size_t kPointNumbers = 7;

// The numbers of a POINT value as the module reads them: one real after the
// other (ReadNumber), stopping at the first item that is not a number. A
// number not read is 0.
struct PointText {
  std::array<double, kPointNumbers> numbers{};
  std::size_t count = 0;  // how many were read
  // Where number k starts and ends in the text (offsets of characters).
  std::array<int, kPointNumbers> start{};
  std::array<int, kPointNumbers> end{};
  // Where the reading stopped on text that is not a number, and where that
  // text's input item ends: at `stop` itself for text that starts no number
  // ("abc"), beyond it for a number cut short ("1e", "0x", "infin"). Both
  // -1 when the reading ended at the end of the text or after the seventh
  // number.
  int stop = -1;
  int stop_end = -1;
};
PointText ParsePoint(const char* text);

}  // namespace rules

#endif  // VANTREL_RULES_POINT_NUMBER_H_
