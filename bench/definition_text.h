#ifndef VANTREL_BENCH_DEFINITION_TEXT_H_
#define VANTREL_BENCH_DEFINITION_TEXT_H_

#include <string>

namespace benchmark {
namespace internal {
class Benchmark;
}  // namespace internal
}  // namespace benchmark

// The text of a definition file with `points` points, each POINT_i written
// out with all seven numbers, as a vessel's author would write it.
std::string DefinitionText(int points);

// Gives a benchmark the point counts measured: 3, 8, 64, 512 and 4096. The
// floor and the update share them, since the budgets compare the two at
// the same N.
void PointCounts(benchmark::internal::Benchmark* benchmark);

#endif  // VANTREL_BENCH_DEFINITION_TEXT_H_
