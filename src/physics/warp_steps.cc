#include "physics/warp_steps.h"

#include <atomic>
#include <thread>

namespace physics {

namespace {

std::vector<double> Steps() {
  std::vector<double> steps;
  // Whole tenths divided by ten: 0.3 is the number a player types.
  for (int tenths = 1; tenths <= 10; ++tenths) steps.push_back(tenths / 10.0);
  for (double decade = 1.0; decade < 1000.0; decade *= 10.0) {
    for (int i = 2; i <= 10; ++i) steps.push_back(i * decade);
  }
  steps.push_back(10000.0);
  steps.push_back(100000.0);
  return steps;
}

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// The runs of a sweep, each a step and a start, taken in ascending order by
// any number of workers. A run above the lowest step known to fail is not
// started, nor the hand-over of a step whose landed start failed.
class Runs {
 public:
  Runs(const DroppedVessel& vessel, const ContactPoints& points,
       const DropOptions& options, bool hand_over, const DropResult* known)
      : vessel_(vessel),
        points_(points),
        options_(options),
        starts_(hand_over ? 2 : 1),
        known_(known),
        verdicts_(PlayerWarps().size() * starts_) {}

  void Work() {
    for (std::size_t run = next_++; run < verdicts_.size(); run = next_++) {
      const std::size_t step = run / starts_;
      if (step > failed_) return;
      // Only the landed start of the same step fails first.
      const bool handed_over = run % starts_ == 1;
      if (handed_over && step == failed_) continue;
      verdicts_[run] = VerdictOf(
          handed_over ? DropStart::kSwitch : DropStart::kLanded, step);
      if (verdicts_[run] == Verdict::kLands) continue;
      for (std::size_t low = failed_; step < low;) {
        if (failed_.compare_exchange_weak(low, step)) break;
      }
    }
  }

  // The steps up to and with the lowest that failed.
  WarpSweep Sweep() const {
    WarpSweep sweep;
    const std::vector<double>& warps = PlayerWarps();
    for (std::size_t i = 0; i < warps.size() && i <= failed_; ++i) {
      WarpStep step;
      step.warp = warps[i];
      step.landed = verdicts_[i * starts_];
      if (starts_ == 2 && step.landed == Verdict::kLands) {
        step.handed_over = verdicts_[i * starts_ + 1];
      }
      sweep.steps.push_back(step);
      if (step.Lands()) sweep.safe_warp = step.warp;
    }
    return sweep;
  }

 private:
  Verdict VerdictOf(DropStart start, std::size_t step) const {
    const double warp = PlayerWarps()[step];
    if (known_ != nullptr && options_.start == start && options_.warp == warp) {
      return known_->verdict;
    }
    DropOptions options = options_;
    options.start = start;
    options.warp = warp;
    return RunDrop(MakeDropSetup(vessel_, points_, options)).verdict;
  }

  const DroppedVessel& vessel_;
  const ContactPoints& points_;
  const DropOptions& options_;
  const std::size_t starts_;
  const DropResult* known_;
  std::vector<Verdict> verdicts_;
  std::atomic<std::size_t> next_{0};
  std::atomic<std::size_t> failed_{kNone};
};

}  // namespace

const std::vector<double>& PlayerWarps() {
  static const std::vector<double> steps = Steps();
  return steps;
}

Verdict WarpStep::Outcome() const {
  if (landed != Verdict::kLands) return landed;
  return handed_over.value_or(Verdict::kLands);
}

const WarpStep* WarpSweep::Failure() const {
  if (steps.empty() || steps.back().Lands()) return nullptr;
  return &steps.back();
}

WarpSweep SweepWarpSteps(const DroppedVessel& vessel,
                         const ContactPoints& points,
                         const DropOptions& options, bool hand_over,
                         const DropResult* known, unsigned threads) {
  Runs runs(vessel, points, options, hand_over, known);
  std::vector<std::thread> helpers;
  for (unsigned i = 1; i < threads; ++i)
    helpers.emplace_back([&] { runs.Work(); });
  runs.Work();
  for (std::thread& helper : helpers) helper.join();
  return runs.Sweep();
}

}  // namespace physics
