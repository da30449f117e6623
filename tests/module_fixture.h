#ifndef VANTREL_TESTS_MODULE_FIXTURE_H_
#define VANTREL_TESTS_MODULE_FIXTURE_H_

#include <gmock/gmock.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "host_fixture.h"
#include "module/vantrel.h"

// A stand-in host with a Vantrel module object linked into the test.
class ModuleTest : public HostTest {
 protected:
  // The log lines written after the module's banner.
  std::vector<std::string> UpdateLog() const {
    std::vector<std::string> log = Log();
    log.erase(log.begin());
    return log;
  }

  // The log line the module writes for point j with these values.
  static std::string PointLine(int j, const TOUCHDOWNVTX& v) {
    char line[512];
    std::snprintf(line, sizeof line,
                  "point%i : %.3f %.3f %.3f %.3f %.3f %.3f %.3f", j, v.pos.x,
                  v.pos.y, v.pos.z, v.stiffness, v.damping, v.mu, v.mu_lng);
    return line;
  }

  Vantrel module{nullptr};
};

// A vertex from its seven values, in record order.
inline TOUCHDOWNVTX Vertex(double x, double y, double z, double stiffness,
                           double damping, double mu, double mu_lng) {
  TOUCHDOWNVTX v;
  v.pos.x = x;
  v.pos.y = y;
  v.pos.z = z;
  v.stiffness = stiffness;
  v.damping = damping;
  v.mu = mu;
  v.mu_lng = mu_lng;
  return v;
}

// Compares all seven values; NaN equals NaN, and -0 differs from 0.
MATCHER_P(SameVertex, expected, "") {
  const double a[7] = {arg.pos.x,   arg.pos.y, arg.pos.z, arg.stiffness,
                       arg.damping, arg.mu,    arg.mu_lng};
  const double b[7] = {expected.pos.x,     expected.pos.y,   expected.pos.z,
                       expected.stiffness, expected.damping, expected.mu,
                       expected.mu_lng};
  for (int i = 0; i < 7; ++i) {
    const bool same =
        (a[i] != a[i] && b[i] != b[i]) ||
        (a[i] == b[i] && std::signbit(a[i]) == std::signbit(b[i]));
    if (!same) {
      *result_listener << "member " << i << " is " << a[i] << ", expected "
                       << b[i];
      return false;
    }
  }
  return true;
}

#endif  // VANTREL_TESTS_MODULE_FIXTURE_H_
