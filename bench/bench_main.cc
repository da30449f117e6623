// Runs the benchmarks and prints the performance budgets after them.
// Exit status: 0 when every budget holds, 1 when one does not, 3 for a bad
// command line.
#include <benchmark/benchmark.h>

#include "budget_report.h"

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 3;
  BudgetReport report;
  benchmark::RunSpecifiedBenchmarks(&report);
  benchmark::Shutdown();
  return report.AllPass() ? 0 : 1;
}
