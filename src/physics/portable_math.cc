#include "physics/portable_math.h"

#include <cmath>
#include <limits>

namespace physics {

namespace {

constexpr double kHalfPi = kPi / 2;
// pi/2 as the sum of a 33-bit head, whose product with a small whole number
// is exact, and its tail.
constexpr double kHalfPiHead = 0x1.921fb544p+0;
constexpr double kHalfPiTail = 0x1.0b4611a626331p-34;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Taylor series on |r| <= pi/4, evaluated by Horner's rule; the first term
// left out is below 1e-19 of the result.
double SinNear0(double r) {
  const double z = r * r;
  double sum = 1.0 / 355687428096000.0;  // 1/17!
  sum = -1.0 / 1307674368000.0 + z * sum;
  sum = 1.0 / 6227020800.0 + z * sum;
  sum = -1.0 / 39916800.0 + z * sum;
  sum = 1.0 / 362880.0 + z * sum;
  sum = -1.0 / 5040.0 + z * sum;
  sum = 1.0 / 120.0 + z * sum;
  sum = -1.0 / 6.0 + z * sum;
  return r + r * z * sum;
}

double CosNear0(double r) {
  const double z = r * r;
  double sum = 1.0 / 6402373705728000.0;  // 1/18!
  sum = -1.0 / 20922789888000.0 + z * sum;
  sum = 1.0 / 87178291200.0 + z * sum;
  sum = -1.0 / 479001600.0 + z * sum;
  sum = 1.0 / 3628800.0 + z * sum;
  sum = -1.0 / 40320.0 + z * sum;
  sum = 1.0 / 720.0 + z * sum;
  sum = -1.0 / 24.0 + z * sum;
  return 1.0 - 0.5 * z + z * z * -sum;
}

// x reduced to r in [-pi/4, pi/4], with x = r + quadrant * pi/2.
double Reduce(double x, long& quadrant) {
  const double k = std::floor(x / kHalfPi + 0.5);
  quadrant = static_cast<long>(std::fmod(k, 4.0));
  if (quadrant < 0) quadrant += 4;
  return (x - k * kHalfPiHead) - k * kHalfPiTail;
}

// atan(x) for |x| <= 1: the angle halved twice (tan(a/2) = t / (1 +
// sqrt(1 + t^2))) to |t| <= tan(pi/16), then its Taylor series.
double AtanUpTo1(double x) {
  if (x == 0.0) return x;  // keeps the sign of zero
  double t = x;
  for (int i = 0; i < 2; ++i) t = t / (1.0 + std::sqrt(1.0 + t * t));
  const double z = t * t;
  double sum = 0.0;
  for (int k = 12; k >= 1; --k) {
    sum = (k % 2 == 0 ? 1.0 : -1.0) / (2 * k + 1) + z * sum;
  }
  return 4.0 * (t + t * z * sum);
}

double Atan(double x) {
  if (std::fabs(x) <= 1.0) return AtanUpTo1(x);
  return std::copysign(kHalfPi, x) - AtanUpTo1(1.0 / x);
}

}  // namespace

double Sin(double x) {
  if (!std::isfinite(x)) return kNaN;
  if (x == 0.0) return x;  // keeps the sign of zero
  long quadrant = 0;
  const double r = Reduce(x, quadrant);
  switch (quadrant) {
    case 0:
      return SinNear0(r);
    case 1:
      return CosNear0(r);
    case 2:
      return -SinNear0(r);
    default:
      return -CosNear0(r);
  }
}

double Cos(double x) {
  if (!std::isfinite(x)) return kNaN;
  long quadrant = 0;
  const double r = Reduce(x, quadrant);
  switch (quadrant) {
    case 0:
      return CosNear0(r);
    case 1:
      return -SinNear0(r);
    case 2:
      return -CosNear0(r);
    default:
      return SinNear0(r);
  }
}

double Atan2(double y, double x) {
  if (std::isnan(x) || std::isnan(y)) return kNaN;
  if (x == 0.0 || std::isinf(y)) {
    if (y == 0.0) return std::signbit(x) ? std::copysign(kPi, y) : y;
    return std::copysign(kHalfPi, y);
  }
  const double angle = Atan(y / x);
  if (x > 0.0) return angle;
  return angle + std::copysign(kPi, y);
}

double Asin(double x) { return Atan2(x, std::sqrt((1.0 - x) * (1.0 + x))); }

double Acos(double x) { return Atan2(std::sqrt((1.0 - x) * (1.0 + x)), x); }

}  // namespace physics
