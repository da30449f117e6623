#include "budget_report.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr double kNameMatchOverFloor = 3.0;
constexpr double kPerPointGrowth = 1.5;
constexpr double kFrameNanoseconds = 1e9 / 60.0;
constexpr double kPeakOverData = 2.0;

// Prints one budget line and returns whether it holds. The budget is
// judged on `measured`, from real time; `cpu`, the same figure from CPU
// time, shows how much of it a busy machine added. A negative `cpu` is
// shown as "-".
bool PrintBudget(const char* budget, double measured, double cpu, double limit,
                 const char* unit) {
  const bool pass = measured <= limit;
  char cpu_text[32] = "-";
  if (cpu >= 0.0) std::snprintf(cpu_text, sizeof cpu_text, "%.3f", cpu);
  std::printf("  %-40s %9.3f %-2s  cpu %9s  limit %7.3f  %s\n", budget,
              measured, unit, cpu_text, limit, pass ? "PASS" : "FAIL");
  return pass;
}

void PrintMissing(const char* budget) {
  std::printf("  %-40s not measured in this run               FAIL\n", budget);
}

}  // namespace

void BudgetReport::ReportRuns(const std::vector<Run>& runs) {
  ConsoleReporter::ReportRuns(runs);
  for (const Run& run : runs) {
    if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
    const double to_nanoseconds =
        benchmark::GetTimeUnitMultiplier(benchmark::kNanosecond) /
        benchmark::GetTimeUnitMultiplier(run.time_unit);
    Sample sample;
    sample.nanoseconds = run.GetAdjustedRealTime() * to_nanoseconds;
    sample.cpu_nanoseconds = run.GetAdjustedCPUTime() * to_nanoseconds;
    for (const auto& [name, counter] : run.counters) {
      sample.counters[name] = counter.value;
    }
    samples_[run.run_name.str()].push_back(sample);
  }
}

const BudgetReport::Sample* BudgetReport::Median(const std::string& name) {
  const auto found = samples_.find(name);
  if (found == samples_.end() || found->second.empty()) return nullptr;
  std::vector<Sample> sorted = found->second;
  std::sort(sorted.begin(), sorted.end(), [](const Sample& a, const Sample& b) {
    return a.nanoseconds < b.nanoseconds;
  });
  return &(medians_[name] = sorted[sorted.size() / 2]);
}

void BudgetReport::Finalize() {
  ConsoleReporter::Finalize();
  std::printf(
      "\nBudgets (ratios from this run; judged on real time, CPU time "
      "shown beside):\n");
  bool pass = true;

  const Sample* update8 = Median("BM_UpdateNameMatch/8/real_time");
  const Sample* floor8 = Median("BM_ReadFileFloor/8/real_time");
  if (update8 != nullptr && floor8 != nullptr) {
    pass &= PrintBudget("name-matched update N=8 / C library read",
                        update8->nanoseconds / floor8->nanoseconds,
                        update8->cpu_nanoseconds / floor8->cpu_nanoseconds,
                        kNameMatchOverFloor, "x");
  } else {
    PrintMissing("name-matched update N=8 / C library read");
    pass = false;
  }

  const Sample* update64 = Median("BM_UpdateNameMatch/64/real_time");
  const Sample* update4096 = Median("BM_UpdateNameMatch/4096/real_time");
  if (update64 != nullptr && update4096 != nullptr) {
    pass &= PrintBudget(
        "time per point N=4096 / N=64",
        (update4096->nanoseconds / 4096.0) / (update64->nanoseconds / 64.0),
        (update4096->cpu_nanoseconds / 4096.0) /
            (update64->cpu_nanoseconds / 64.0),
        kPerPointGrowth, "x");
  } else {
    PrintMissing("time per point N=4096 / N=64");
    pass = false;
  }

  const Sample* sweep1000 = Median("BM_Sweep/1000/real_time");
  if (sweep1000 != nullptr) {
    pass &= PrintBudget("sweep of 1000 vessels", sweep1000->nanoseconds / 1e6,
                        sweep1000->cpu_nanoseconds / 1e6,
                        kFrameNanoseconds / 1e6, "ms");
  } else {
    PrintMissing("sweep of 1000 vessels");
    pass = false;
  }

  if (update4096 != nullptr) {
    const auto& counters = update4096->counters;
    const double data = counters.at("vertex_bytes") + counters.at("file_bytes");
    std::printf(
        "  (N=4096: vertex data %.0f + file %.0f = %.0f bytes; peak heap of "
        "one update %.0f,\n   of which still held after it %.0f; the host's "
        "copy of the open file %.0f)\n",
        counters.at("vertex_bytes"), counters.at("file_bytes"), data,
        counters.at("peak_heap_bytes"), counters.at("retained_heap_bytes"),
        counters.at("open_file_heap_bytes"));
    pass &= PrintBudget("peak heap N=4096 / (vertex data + file)",
                        counters.at("peak_heap_bytes") / data, -1.0,
                        kPeakOverData, "x");
  } else {
    PrintMissing("peak heap N=4096 / (vertex data + file)");
    pass = false;
  }

  std::printf("%s\n", pass ? "All budgets hold." : "A budget does not hold.");
  all_pass_ = pass;
}
