#include "legacy_warp_search.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr long kMinFrames = 300;
constexpr int kBisections = 8;
constexpr double kMaxSeconds = 60.0;
constexpr double kMinWarp = 0.1;
constexpr double kMaxWarp = 100000.0;

bool Lands(const physics::DropSetup& setup, double warp) {
  physics::DropSetup run = setup;
  run.warp = warp;
  // At least 300 frames: the time they take, the first three of 10 ms.
  double frames_time = 0.0;
  for (long frame = 1; frame <= kMinFrames; ++frame) {
    frames_time += (frame <= 3 ? 0.01 : physics::FrameTime(setup.fps)) * warp;
  }
  run.seconds = std::max(std::min(setup.seconds, kMaxSeconds), frames_time);
  return physics::RunDrop(run).verdict == physics::Verdict::kLands;
}

}  // namespace

std::optional<double> LegacySearchStableWarp(const physics::DropSetup& setup) {
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
