// Fuzzes the module's reader of the reals of a POINT value against glibc's
// strtod, number after number along the input, as a POINT value is read.
//
// strtod reads the longest text that is a whole number; the reader reads the
// longest text that is a number or the start of one (the input item), and
// fails when that item is not a whole number. So, on every item:
// - the item is the start of a number, and the item with the next
//   character is not: strtod reads every one of some completions of the
//   item and none of the item with the next character;
// - a number the reader reads is exactly what strtod reads there, with the
//   same bits (the sign of a zero included), or a NaN when strtod's is;
// - on an item that fails, strtod reads less than the whole item.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "rules/point_number.h"

using rules::NumberRead;

namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& item) {
  std::fprintf(stderr, "number_fuzzer: %s: \"%s\"\n", what.c_str(),
               item.c_str());
  std::abort();
}

// How many characters of `text` strtod reads as a number.
std::size_t StrtodTakes(const std::string& text, double* value = nullptr) {
  char* end = nullptr;
  const double read = std::strtod(text.c_str(), &end);
  if (value != nullptr) *value = read;
  return static_cast<std::size_t>(end - text.c_str());
}

bool WholeNumber(const std::string& text) {
  return !text.empty() && StrtodTakes(text) == text.size();
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; }

// Whether `text` begins some number: one of its completions is a whole
// number to strtod. A word's start ("inf", "in", "nan(") is completed with
// the rest of the word.
bool StartsNumber(const std::string& text) {
  for (const char* tail : {"", "0", ")", "0)"}) {
    if (WholeNumber(text + tail)) return true;
  }
  for (const std::string word : {"infinity", "nan()"}) {
    for (std::size_t n = 1; n < word.size() && n <= text.size(); ++n) {
      bool spelled = true;
      for (std::size_t i = 0; i < n; ++i) {
        spelled = spelled && Lower(text[text.size() - n + i]) == word[i];
      }
      if (spelled && WholeNumber(text + word.substr(n))) return true;
    }
  }
  return text.empty() || text == "+" || text == "-";
}

bool SameBits(double a, double b) {
  if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
  return std::memcmp(&a, &b, sizeof a) == 0;
}

bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

// A POINT value is the numbers ReadNumber reads one after the other, up to
// seven, up to the first that is not a number.
void CheckPoint(const char* text) {
  const rules::PointText point = rules::ParsePoint(text);
  const char* const end = text + std::strlen(text);
  const char* at = text;
  std::size_t count = 0;
  int stop = -1;
  int stop_end = -1;
  for (; count < rules::kPointNumbers; ++count) {
    const NumberRead read = rules::ReadNumber(at, end);
    if (read.outcome == NumberRead::Outcome::kFailure) {
      stop = static_cast<int>(read.item - text);
      stop_end = static_cast<int>(read.end - text);
    }
    if (read.outcome != NumberRead::Outcome::kNumber) break;
    if (!SameBits(point.numbers[count], read.value) ||
        point.start[count] != read.item - text ||
        point.end[count] != read.end - text) {
      Fail("the point's number " + std::to_string(count + 1) +
               " differs from ReadNumber's",
           text);
    }
    at = read.end;
  }
  if (point.count != count || point.stop != stop ||
      point.stop_end != stop_end) {
    Fail("the point stops elsewhere than ReadNumber", text);
  }
  for (std::size_t k = count; k < rules::kPointNumbers; ++k) {
    if (!SameBits(point.numbers[k], 0.0))
      Fail("a number not read is not 0", text);
  }
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  CheckPoint(input.c_str());
  const char* at = input.c_str();
  const char* const end = at + std::strlen(at);
  for (int k = 0; k < 32; ++k) {
    const NumberRead read = rules::ReadNumber(at, end);
    for (const char* p = at; p < read.item; ++p) {
      if (!IsCSpace(*p)) Fail("skipped what is not white space", at);
    }
    if (read.outcome == NumberRead::Outcome::kEnd) {
      if (*read.item != '\0') Fail("ended before the end", at);
      return 0;
    }
    if (IsCSpace(*read.item)) Fail("left white space", at);
    const std::string item(read.item, read.end);
    if (!StartsNumber(item)) Fail("an item that starts no number", item);
    if (*read.end != '\0' && StartsNumber(item + *read.end)) {
      Fail("an item cut short before '" + std::string(1, *read.end) + "'",
           std::string(read.item));
    }
    if (read.outcome == NumberRead::Outcome::kFailure) {
      if (WholeNumber(item)) Fail("failed on a whole number", item);
      return 0;
    }
    double expected = 0.0;
    if (StrtodTakes(read.item, &expected) != item.size()) {
      Fail("read other text than strtod", std::string(read.item));
    }
    if (!SameBits(read.value, expected)) {
      char text[96];
      std::snprintf(text, sizeof text, "read %a, strtod %a", read.value,
                    expected);
      Fail(text, item);
    }
    at = read.end;
  }
  return 0;
}
