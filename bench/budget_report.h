#ifndef VANTREL_BENCH_BUDGET_REPORT_H_
#define VANTREL_BENCH_BUDGET_REPORT_H_

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

// Shows the results as the console reporter does (only the aggregates when
// the benchmarks are repeated) and keeps every repetition; after the run,
// prints the min, median and max real time of each benchmark a budget uses,
// and every budget, judged on the medians, with PASS or FAIL. A time budget
// needs at least kMinRepetitions repetitions in the run.
class BudgetReport : public benchmark::ConsoleReporter {
 public:
  static constexpr std::size_t kMinRepetitions = 9;

  void ReportRuns(const std::vector<Run>& runs) override;
  void Finalize() override;

  // True when every budget was measured and holds.
  bool AllPass() const { return all_pass_; }

 private:
  struct Sample {
    double nanoseconds = 0.0;      // real time per iteration
    double cpu_nanoseconds = 0.0;  // CPU time of the process per iteration
    std::map<std::string, double> counters;
  };
  // The repetitions of one benchmark, sorted by real time.
  struct Spread {
    const Sample* min = nullptr;
    const Sample* median = nullptr;
    const Sample* max = nullptr;
    std::size_t repetitions = 0;
  };

  // The spread of the benchmark `name`; no median when it did not run.
  Spread SpreadOf(const std::string& name);
  // Prints the spread of `name` and returns its median, or null (after
  // saying why) when it ran fewer than kMinRepetitions times.
  const Sample* TimedMedian(const std::string& name);

  std::map<std::string, std::vector<Sample>> samples_;
  bool all_pass_ = false;
};

#endif  // VANTREL_BENCH_BUDGET_REPORT_H_
