#ifndef VANTREL_BENCH_BUDGET_REPORT_H_
#define VANTREL_BENCH_BUDGET_REPORT_H_

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

// Shows the results as the console reporter does and keeps them; after the
// run, prints every performance budget with the ratio measured in this run
// and PASS or FAIL. With repetitions, each budget uses the median of the
// repetitions of each benchmark.
class BudgetReport : public benchmark::ConsoleReporter {
 public:
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

  // The median sample of the benchmark `name`, or null when it did not run.
  const Sample* Median(const std::string& name);

  std::map<std::string, std::vector<Sample>> samples_;
  std::map<std::string, Sample> medians_;
  bool all_pass_ = false;
};

#endif  // VANTREL_BENCH_BUDGET_REPORT_H_
