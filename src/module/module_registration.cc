#include "module/module_registration.h"

namespace {

// Constant-initialised: the plug-in runs no C runtime start-up.
Vantrel* registeredModule = nullptr;

}  // namespace

void RememberRegisteredModule(Vantrel* module) { registeredModule = module; }

void ForgetRegisteredModule(const Vantrel* module) {
  if (registeredModule == module) registeredModule = nullptr;
}

Vantrel* TakeRegisteredModule() {
  Vantrel* module = registeredModule;
  registeredModule = nullptr;
  return module;
}
