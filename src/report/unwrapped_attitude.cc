#include "report/unwrapped_attitude.h"

#include <cmath>

namespace report {

namespace {

// `angle` plus the whole turns that bring it nearest to `near`.
double Nearest(double angle, double near) {
  return angle + 360.0 * std::round((near - angle) / 360.0);
}

}  // namespace

std::vector<physics::DropSample> UnwrappedAttitude(
    std::vector<physics::DropSample> history) {
  bool first = true;
  double pitch = 0.0;
  double roll = 0.0;
  for (physics::DropSample& s : history) {
    if (!std::isfinite(s.pitch_deg) || !std::isfinite(s.roll_deg)) continue;
    if (!first) {
      const double p1 = Nearest(s.pitch_deg, pitch);
      const double r1 = Nearest(s.roll_deg, roll);
      const double p2 = Nearest(180.0 - s.pitch_deg, pitch);
      const double r2 = Nearest(s.roll_deg + 180.0, roll);
      const bool flipped = std::fabs(p2 - pitch) + std::fabs(r2 - roll) <
                           std::fabs(p1 - pitch) + std::fabs(r1 - roll);
      s.pitch_deg = flipped ? p2 : p1;
      s.roll_deg = flipped ? r2 : r1;
    }
    first = false;
    pitch = s.pitch_deg;
    roll = s.roll_deg;
  }
  return history;
}

}  // namespace report
