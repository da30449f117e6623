#ifndef VANTREL_RULES_SWEEP_STEP_H_
#define VANTREL_RULES_SWEEP_STEP_H_

#include <cstdint>

namespace rules {

// The post-step callback, counted from the start of each simulation, in
// which the module updates every vessel present. Vessels present from the
// start keep their own touchdown points until then.
constexpr std::int32_t kSweepStep = 10;

}  // namespace rules

#endif  // VANTREL_RULES_SWEEP_STEP_H_
