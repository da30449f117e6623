#include <cstring>
#include <string>
#include <vector>

#include "module/vantrel.h"
#include "orbiter_api.h"
#include "rules/definition_rules.h"

void Vantrel::UpdateVessel(OBJHANDLE hVessel) {
  char name[rules::kKeyRoom];
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
  rules::Complete(table.points, [hVessel] { return oapiGetMass(hVessel); });

  const std::vector<TOUCHDOWNVTX> vertices(table.points);
  oapiGetVesselInterface(hVessel)->SetTouchdownPoints(
      vertices.data(), static_cast<DWORD>(table.nPoints));
  for (int j = 1; j <= table.nPoints; ++j) {
    const TOUCHDOWNVTX& v = vertices[static_cast<std::size_t>(j - 1)];
    oapiWriteLogV("point%i : %.3f %.3f %.3f %.3f %.3f %.3f %.3f", j, v.pos.x,
                  v.pos.y, v.pos.z, v.stiffness, v.damping, v.mu, v.mu_lng);
  }
}
