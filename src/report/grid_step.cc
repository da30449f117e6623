#include "report/grid_step.h"

#include <algorithm>
#include <cmath>

namespace report {

namespace {

// The largest power of ten at most `value` (> 0), as 10^n or 1 / 10^n, and
// its exponent n: the same bits in every build, as the C libraries' log10
// and pow need not give.
double PowerOfTenBelow(double value, int& exponent) {
  double power = 1.0;
  exponent = 0;
  if (!(value > 0.0) || !std::isfinite(value)) return power;
  while (power * 10.0 <= value) {
    power *= 10.0;
    ++exponent;
  }
  double divisor = 1.0;
  while (value < 1.0 / divisor) {
    divisor *= 10.0;
    --exponent;
  }
  return exponent < 0 ? 1.0 / divisor : power;
}

}  // namespace

double GridStep(double span) {
  const double rough = span / 5.0;
  int exponent = 0;
  const double power = PowerOfTenBelow(rough, exponent);
  for (double factor : {1.0, 2.0, 5.0}) {
    if (factor * power >= rough) return factor * power;
  }
  return 10.0 * power;
}

int Decimals(double step) {
  int exponent = 0;
  PowerOfTenBelow(step * (1.0 + 1e-9), exponent);
  return std::max(0, -exponent);
}

}  // namespace report
