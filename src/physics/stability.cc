#include "physics/stability.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "physics/rkf78.h"

namespace physics {

namespace {

// |z|, without the C library's hypot, which rounds differently in each.
double Magnitude(std::complex<double> z) {
  return std::sqrt(z.real() * z.real() + z.imag() * z.imag());
}

}  // namespace

std::complex<double> Rkf78Growth(std::complex<double> z) {
  const Rkf78Tableau& t = Rkf78();
  std::complex<double> stages[kStages];
  std::complex<double> growth = 1.0;
  for (std::size_t i = 0; i < kStages; ++i) {
    std::complex<double> y = 1.0;
    for (std::size_t j = 0; j < i; ++j) y += z * t.a[i][j] * stages[j];
    stages[i] = y;
    growth += z * t.b[i] * y;
  }
  return growth;
}

double Rkf78StabilityLimit(std::complex<double> direction) {
  const std::complex<double> unit = direction / Magnitude(direction);
  const auto stable = [&](double r) {
    return Magnitude(Rkf78Growth(r * unit)) <= 1.0 + 1e-12;
  };
  // Out in small steps to the first unstable radius, then bisect.
  constexpr double kStep = 0.01;
  double r = kStep;
  while (r < 20.0 && stable(r)) r += kStep;
  double low = r - kStep;
  double high = r;
  for (int i = 0; i < 50; ++i) {
    const double mid = 0.5 * (low + high);
    (stable(mid) ? low : high) = mid;
  }
  return low;
}

namespace {

// The warp at which a mode of stiffness k, damping c and mass (or moment of
// inertia) m turns unstable.
double ModeWarp(double k, double c, double m, double fps) {
  if (!(k > 0.0) || !(m > 0.0)) return std::numeric_limits<double>::infinity();
  const double omega = std::sqrt(k / m);
  const double zeta = c / (2.0 * std::sqrt(k * m));
  // The eigenvalue of larger size: a damped oscillation, or the faster of
  // two decays when overdamped.
  std::complex<double> lambda;
  if (zeta < 1.0) {
    lambda = omega * std::complex<double>(-zeta, std::sqrt(1.0 - zeta * zeta));
  } else {
    lambda = -omega * (zeta + std::sqrt(zeta * zeta - 1.0));
  }
  const double h = Rkf78StabilityLimit(lambda) / Magnitude(lambda);
  return h * 10.0 * fps;
}

}  // namespace

double LinearStableWarp(const ContactPoints& points, const Body& body,
                        double fps) {
  double k = 0, c = 0, k_pitch = 0, c_pitch = 0, k_roll = 0, c_roll = 0;
  for (const ContactPoint& p : points) {
    k += p.stiffness;
    c += p.damping;
    k_pitch += p.stiffness * p.pos.z * p.pos.z;
    c_pitch += p.damping * p.pos.z * p.pos.z;
    k_roll += p.stiffness * p.pos.x * p.pos.x;
    c_roll += p.damping * p.pos.x * p.pos.x;
  }
  const double m = body.mass;
  return std::min({ModeWarp(k, c, m, fps),
                   ModeWarp(k_pitch, c_pitch, m * body.inertia.x, fps),
                   ModeWarp(k_roll, c_roll, m * body.inertia.z, fps)});
}

}  // namespace physics
