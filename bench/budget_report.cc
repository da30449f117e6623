#include "budget_report.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr double kNameMatchOverFloor = 3.0;
constexpr double kReaderOverFastFloat = 1.5;
constexpr double kPerPointGrowth = 1.5;
constexpr double kFrameMilliseconds = 1e3 / 60.0;
constexpr double kFreshOverAged = 1.5;
constexpr double kModuleOverVertexData = 2.0;
constexpr double kModuleSlackBytes = 1024.0;
constexpr double kIndexOverFile = 3.0;
constexpr double kDropOverBareLoop = 3.0;
constexpr double kDropReportOverBefore = 5.0;
constexpr double kDropReportMilliseconds = 1000.0;
constexpr double kSurveyOverBefore = 5.0;
constexpr double kSurveyMilliseconds = 2000.0;
constexpr double kPerVesselGrowth = 1.5;

// Prints one budget line and returns whether it holds: `measured` from the
// medians' real time, `cpu` the same from their CPU time (shown only when
// not negative), to show how much a busy machine added.
bool PrintBudget(const char* budget, double measured, double cpu, double limit,
                 const char* unit) {
  const bool pass = measured <= limit;
  char cpu_text[32] = "-";
  if (cpu >= 0.0) std::snprintf(cpu_text, sizeof cpu_text, "%.3f", cpu);
  std::printf("  %-44s %11.3f %-2s  cpu %9s  limit %11.3f  %s\n", budget,
              measured, unit, cpu_text, limit, pass ? "PASS" : "FAIL");
  return pass;
}

void PrintMissing(const char* budget) {
  std::printf("  %-44s not measured in this run  FAIL\n", budget);
}

// Real time in the unit that suits it.
std::string Duration(double nanoseconds) {
  char text[32];
  if (nanoseconds >= 1e6) {
    std::snprintf(text, sizeof text, "%.2f ms", nanoseconds / 1e6);
  } else if (nanoseconds >= 1e3) {
    std::snprintf(text, sizeof text, "%.2f us", nanoseconds / 1e3);
  } else {
    std::snprintf(text, sizeof text, "%.1f ns", nanoseconds);
  }
  return text;
}

}  // namespace

void BudgetReport::ReportRuns(const std::vector<Run>& runs) {
  std::vector<Run> shown;
  for (const Run& run : runs) {
    if (run.run_type == Run::RT_Aggregate || run.repetitions <= 1) {
      shown.push_back(run);
    }
  }
  if (!shown.empty()) ConsoleReporter::ReportRuns(shown);
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

BudgetReport::Spread BudgetReport::SpreadOf(const std::string& name) {
  Spread spread;
  const auto found = samples_.find(name);
  if (found == samples_.end() || found->second.empty()) return spread;
  std::vector<Sample>& sorted = found->second;
  std::sort(sorted.begin(), sorted.end(), [](const Sample& a, const Sample& b) {
    return a.nanoseconds < b.nanoseconds;
  });
  spread.min = &sorted.front();
  spread.median = &sorted[sorted.size() / 2];
  spread.max = &sorted.back();
  spread.repetitions = sorted.size();
  return spread;
}

const BudgetReport::Sample* BudgetReport::TimedMedian(const std::string& name) {
  const Spread spread = SpreadOf(name);
  if (spread.median == nullptr) return nullptr;
  std::printf("  %-36s %10s %10s %10s  (%zu repetitions)\n", name.c_str(),
              Duration(spread.min->nanoseconds).c_str(),
              Duration(spread.median->nanoseconds).c_str(),
              Duration(spread.max->nanoseconds).c_str(), spread.repetitions);
  if (spread.repetitions < kMinRepetitions) {
    std::printf("  %-36s needs at least %zu repetitions\n", "",
                kMinRepetitions);
    return nullptr;
  }
  return spread.median;
}

void BudgetReport::Finalize() {
  ConsoleReporter::Finalize();
  std::printf("\nReal time of the benchmarks the budgets use:\n");
  std::printf("  %-36s %10s %10s %10s\n", "benchmark", "min", "median", "max");
  const Sample* floor8 = TimedMedian("BM_ReadFileFloor/8/real_time");
  const Sample* update8 = TimedMedian("BM_UpdateNameMatch/8/real_time");
  const Sample* update64 = TimedMedian("BM_UpdateNameMatch/64/real_time");
  const Sample* update4096 = TimedMedian("BM_UpdateNameMatch/4096/real_time");
  const Sample* aged = TimedMedian("BM_Sweep/1000/real_time");
  const Sample* fresh = TimedMedian("BM_SweepFresh/1000/real_time");
  const Sample* reader = TimedMedian("BM_ReadPointValue/real_time");
  const Sample* fast_float = TimedMedian("BM_FastFloatPointValue/real_time");
  const Sample* drop = TimedMedian("BM_Drop100Points30s/real_time");
  const Sample* bare = TimedMedian("BM_BareForceLoop/real_time");
  const Sample* report = TimedMedian("BM_DropReport/process_time/real_time");
  const Sample* report_before =
      TimedMedian("BM_DropReportBeforeSweep/process_time/real_time");
  const Sample* survey = TimedMedian("BM_SurveySample/process_time/real_time");
  const Sample* survey_before =
      TimedMedian("BM_SurveySampleBefore/process_time/real_time");
  const Sample* run1000 = TimedMedian("BM_RunVessels/1000/real_time");
  const Sample* run10000 = TimedMedian("BM_RunVessels/10000/real_time");
  const Sample* run100000 = TimedMedian("BM_RunVessels/100000/real_time");

  std::printf(
      "\nBudgets (judged on the medians' real time; the same from CPU time "
      "beside):\n");
  bool pass = true;
  if (update8 != nullptr && floor8 != nullptr) {
    pass &= PrintBudget("name-matched update N=8 / C library read",
                        update8->nanoseconds / floor8->nanoseconds,
                        update8->cpu_nanoseconds / floor8->cpu_nanoseconds,
                        kNameMatchOverFloor, "x");
  } else {
    PrintMissing("name-matched update N=8 / C library read");
    pass = false;
  }

  if (reader != nullptr && fast_float != nullptr) {
    pass &= PrintBudget("one POINT value / 7 fast_float::from_chars",
                        reader->nanoseconds / fast_float->nanoseconds,
                        reader->cpu_nanoseconds / fast_float->cpu_nanoseconds,
                        kReaderOverFastFloat, "x");
  } else {
    PrintMissing("one POINT value / 7 fast_float::from_chars");
    pass = false;
  }

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

  if (aged != nullptr) {
    pass &= PrintBudget("sweep of 1000 vessels", aged->nanoseconds / 1e6,
                        aged->cpu_nanoseconds / 1e6, kFrameMilliseconds, "ms");
  } else {
    PrintMissing("sweep of 1000 vessels");
    pass = false;
  }

  if (aged != nullptr && fresh != nullptr) {
    pass &= PrintBudget("sweep of 1000, files just written / aged",
                        fresh->nanoseconds / aged->nanoseconds,
                        fresh->cpu_nanoseconds / aged->cpu_nanoseconds,
                        kFreshOverAged, "x");
  } else {
    PrintMissing("sweep of 1000, files just written / aged");
    pass = false;
  }

  if (drop != nullptr && bare != nullptr) {
    const auto per_stage = [](const Sample* s, bool cpu) {
      return (cpu ? s->cpu_nanoseconds : s->nanoseconds) /
             s->counters.at("vertex_stages");
    };
    std::printf(
        "  (30 s drop of 100 points at 60 fps: %.1f ms for %.0f frames, %.3g "
        "vertex-stage\n   evaluations)\n",
        drop->nanoseconds / 1e6, drop->counters.at("frames"),
        drop->counters.at("vertex_stages"));
    pass &= PrintBudget("drop per vertex-stage / bare force loop",
                        per_stage(drop, false) / per_stage(bare, false),
                        per_stage(drop, true) / per_stage(bare, true),
                        kDropOverBareLoop, "x");
  } else {
    PrintMissing("drop per vertex-stage / bare force loop");
    pass = false;
  }

  if (report != nullptr && report_before != nullptr) {
    std::printf(
        "  (vantrel drop's report of a 14 t glider: %s with every time "
        "acceleration a\n   player can select, %s with the search it made "
        "before)\n",
        Duration(report->nanoseconds).c_str(),
        Duration(report_before->nanoseconds).c_str());
    pass &=
        PrintBudget("drop report, every step / the search before",
                    report->nanoseconds / report_before->nanoseconds,
                    report->cpu_nanoseconds / report_before->cpu_nanoseconds,
                    kDropReportOverBefore, "x");
    pass &= PrintBudget("drop report, whole", report->nanoseconds / 1e6,
                        report->cpu_nanoseconds / 1e6, kDropReportMilliseconds,
                        "ms");
  } else {
    PrintMissing("drop report, every step / the search before");
    pass = false;
  }

  if (survey != nullptr && survey_before != nullptr) {
    std::printf(
        "  (vantrel survey of the simulator's sample, bench/data: %s with "
        "every verdict,\n   %s as it was made before, with bare drops)\n",
        Duration(survey->nanoseconds).c_str(),
        Duration(survey_before->nanoseconds).c_str());
    pass &=
        PrintBudget("survey, every verdict / the bare drops before",
                    survey->nanoseconds / survey_before->nanoseconds,
                    survey->cpu_nanoseconds / survey_before->cpu_nanoseconds,
                    kSurveyOverBefore, "x");
    pass &=
        PrintBudget("survey, whole", survey->nanoseconds / 1e6,
                    survey->cpu_nanoseconds / 1e6, kSurveyMilliseconds, "ms");
  } else {
    PrintMissing("survey, every verdict / the bare drops before");
    pass = false;
  }

  if (run1000 != nullptr && run100000 != nullptr) {
    const auto per_vessel = [](const Sample* s, double vessels, bool cpu) {
      return (cpu ? s->cpu_nanoseconds : s->nanoseconds) / vessels;
    };
    std::printf(
        "  (vantrel run per vessel: %s at 1 000, %s at 10 000, %s at "
        "100 000)\n",
        Duration(per_vessel(run1000, 1e3, false)).c_str(),
        run10000 != nullptr ? Duration(per_vessel(run10000, 1e4, false)).c_str()
                            : "not measured",
        Duration(per_vessel(run100000, 1e5, false)).c_str());
    pass &= PrintBudget(
        "run per vessel, 100 000 / 1 000 vessels",
        per_vessel(run100000, 1e5, false) / per_vessel(run1000, 1e3, false),
        per_vessel(run100000, 1e5, true) / per_vessel(run1000, 1e3, true),
        kPerVesselGrowth, "x");
  } else {
    PrintMissing("run per vessel, 100 000 / 1 000 vessels");
    pass = false;
  }

  // The heap counts are the same in every repetition.
  const Sample* heap = SpreadOf("BM_UpdateNameMatch/4096/real_time").median;
  if (heap != nullptr) {
    const auto& counters = heap->counters;
    const double vertex_bytes = counters.at("vertex_bytes");
    const double file_bytes = counters.at("file_bytes");
    std::printf(
        "  (N=4096: vertex data %.0f bytes, file %.0f bytes; the module's "
        "peak %.0f,\n   the peak of all during the update %.0f, the host's "
        "item index of the open file %.0f)\n",
        vertex_bytes, file_bytes, counters.at("module_peak_heap_bytes"),
        counters.at("peak_heap_bytes"), counters.at("open_file_heap_bytes"));
    pass &= PrintBudget("module heap N=4096 beyond 2 x vertex data",
                        counters.at("module_peak_heap_bytes") -
                            vertex_bytes * kModuleOverVertexData,
                        -1.0, kModuleSlackBytes, "B");
    pass &= PrintBudget("item index N=4096 / file size",
                        counters.at("open_file_heap_bytes") / file_bytes, -1.0,
                        kIndexOverFile, "x");
  } else {
    PrintMissing("module heap N=4096");
    PrintMissing("item index N=4096 / file size");
    pass = false;
  }

  std::printf("%s\n", pass ? "All budgets hold." : "A budget does not hold.");
  all_pass_ = pass;
}
