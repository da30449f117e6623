#include "module/vantrel.h"

#include <cstdint>

#include "module/module_registration.h"
#include "orbiter_api.h"
#include "rules/sweep_step.h"

namespace {

// The number the banner shows. It is fixed and independent of the version
// and date the library reports to the host.
constexpr int kBannerVersion = 190119;

}  // namespace

Vantrel::Vantrel(HINSTANCE hDLL) : oapi::Module(hDLL) {
  oapiWriteLogV("Vantrel Loaded, Version:%i", kBannerVersion);
  stepCount = 0;
  sweepPending = true;
}

Vantrel::~Vantrel() {
  ForgetRegisteredModule(this);
  table.Clear();
}

// Each simulation of a program run sweeps its own vessels: the host keeps
// the module object from one scenario to the next.
void Vantrel::clbkSimulationStart(RenderMode) {
  stepCount = 0;
  sweepPending = true;
}

void Vantrel::clbkPostStep(double, double, double) {
  if (!sweepPending) return;
  // Counts in unsigned arithmetic: if a failed sweep leaves sweepPending
  // set, the counter keeps going and wraps instead of overflowing.
  stepCount =
      static_cast<std::int32_t>(static_cast<std::uint32_t>(stepCount) + 1u);
  if (stepCount != rules::kSweepStep) return;
  // The count is asked again before every comparison: an update may change
  // the number of vessels.
  for (DWORD i = 0; i < oapiGetVesselCount(); ++i) {
    UpdateVessel(oapiGetVesselByIndex(static_cast<int>(i)));
  }
  sweepPending = false;
}

void Vantrel::clbkNewVessel(OBJHANDLE hVessel) { UpdateVessel(hVessel); }
