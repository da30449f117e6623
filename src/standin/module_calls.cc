#include "standin/module_calls.h"

namespace standin {
namespace {

ModuleCalls installed = kDirectModuleCalls;

}  // namespace

const ModuleCalls& CurrentModuleCalls() { return installed; }

void InstallModuleCalls(const ModuleCalls& calls) { installed = calls; }

}  // namespace standin
