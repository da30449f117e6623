#include "stable_warp.h"

#include <algorithm>
#include <cmath>

namespace physics {

namespace {

constexpr long kMinFrames = 300;
constexpr int kBisections = 8;
constexpr double kMaxSeconds = 60.0;

bool Lands(const DropSetup& setup, double warp) {
  DropSetup run = setup;
  run.warp = warp;
  run.min_frames = kMinFrames;
  run.seconds = std::min(setup.seconds, kMaxSeconds);
  return RunDrop(run).verdict == Verdict::kLands;
}

}  // namespace

std::optional<double> SearchStableWarp(const DropSetup& setup) {
  double low = 0.0;   // lands
  double high = 0.0;  // does not land
  if (Lands(setup, 1.0)) {
    low = 1.0;
    while (true) {
      const double next = std::min(low * 2.0, kMaxWarp);
      if (!Lands(setup, next)) {
        high = next;
        break;
      }
      low = next;
      if (low >= kMaxWarp) return low;
    }
  } else {
    high = 1.0;
    while (true) {
      const double next = std::max(high / 2.0, kMinWarp);
      if (Lands(setup, next)) {
        low = next;
        break;
      }
      high = next;
      if (high <= kMinWarp) return std::nullopt;
    }
  }
  for (int i = 0; i < kBisections; ++i) {
    const double mid = std::sqrt(low * high);
    (Lands(setup, mid) ? low : high) = mid;
  }
  return low;
}

}  // namespace physics
