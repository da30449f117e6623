#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "orbiter_api.h"
#include "vantrel.h"

namespace {

constexpr double kGravity = 9.81;
constexpr double kDampingRatio = 0.95;
constexpr double kDefaultFriction = 3.0;

}  // namespace

void Vantrel::UpdateVessel(OBJHANDLE hVessel) {
  char name[256];
  std::memset(name, 0, sizeof name);
  oapiGetObjectName(hVessel, name, sizeof name);
  name[sizeof name - 1] = '\0';

  if (LoadDefinition(name)) {
    oapiWriteLogV("Vantrel: Vessel Definition found for name %s", name);
    ApplyDefinition(hVessel);
    return;
  }
  if (!oapiIsVessel(hVessel)) return;

  // A class name that does not fit the buffer could not name a file on the
  // host's platform anyway, and a vessel without a class has nothing to look
  // up: both skip the class lookup.
  const char* className = oapiGetVesselInterface(hVessel)->GetClassNameA();
  if (className == nullptr) return;
  const std::size_t length = std::strlen(className);
  if (length >= sizeof name) return;
  std::memcpy(name, className, length + 1);

  if (LoadDefinition(name)) {
    oapiWriteLogV("Vantrel: Vessel Definition found for class %s", name);
    ApplyDefinition(hVessel);
  }
}

void Vantrel::ApplyDefinition(OBJHANDLE hVessel) {
  // Completion is decided on the first point alone and then written into
  // every point. NaN compares unequal to 0, so it counts as set.
  const TOUCHDOWNVTX& first = table.points.front();
  if (first.damping == 0.0 || first.stiffness == 0.0) {
    const double mass = oapiGetMass(hVessel);
    const double stiffness = mass * kGravity;
    const double damping = (std::sqrt(mass * stiffness) * 2.0) * kDampingRatio;
    for (TOUCHDOWNVTX& point : table.points) {
      point.stiffness = stiffness;
      point.damping = damping;
    }
  }
  if (first.mu == 0.0) {
    for (TOUCHDOWNVTX& point : table.points) {
      point.mu = kDefaultFriction;
      point.mu_lng = kDefaultFriction;
    }
  }

  const std::vector<TOUCHDOWNVTX> vertices(table.points);
  oapiGetVesselInterface(hVessel)->SetTouchdownPoints(
      vertices.data(), static_cast<DWORD>(table.nPoints));
  for (int j = 1; j <= table.nPoints; ++j) {
    const TOUCHDOWNVTX& v = vertices[static_cast<std::size_t>(j - 1)];
    oapiWriteLogV("point%i : %.3f %.3f %.3f %.3f %.3f %.3f %.3f", j, v.pos.x,
                  v.pos.y, v.pos.z, v.stiffness, v.damping, v.mu, v.mu_lng);
  }
}
