// The reader of a POINT value alone, against its floor: the same seven
// numbers converted by fast_float::from_chars, which the reader uses for
// decimals, with nothing else to do.
#include <benchmark/benchmark.h>

#include <cstring>

#include "fast_float/fast_float.h"
#include "rules/definition_rules.h"

namespace {

// A value as DefinitionText writes it.
constexpr char kPointValue[] = "0.250 -1.500 -2.500 3e5 3e4 0.5 0.2";

void BM_ReadPointValue(benchmark::State& state) {
  for (auto _ : state) {
    const char* text = kPointValue;
    benchmark::DoNotOptimize(text);
    rules::PointText point = rules::ParsePoint(text);
    benchmark::DoNotOptimize(point);
  }
}
BENCHMARK(BM_ReadPointValue)->UseRealTime();

void BM_FastFloatPointValue(benchmark::State& state) {
  const char* const end = kPointValue + std::strlen(kPointValue);
  for (auto _ : state) {
    const char* text = kPointValue;
    benchmark::DoNotOptimize(text);
    double numbers[rules::kPointNumbers];
    for (double& number : numbers) {
      while (*text == ' ') ++text;
      text = fast_float::from_chars(text, end, number).ptr;
    }
    benchmark::DoNotOptimize(numbers);
  }
}
BENCHMARK(BM_FastFloatPointValue)->UseRealTime();

}  // namespace
