#ifndef VANTREL_BENCH_LEGACY_WARP_SEARCH_H_
#define VANTREL_BENCH_LEGACY_WARP_SEARCH_H_

#include <optional>

#include "physics/drop_test.h"

// The search for the highest time acceleration that lands that `vantrel
// drop` made before it ran every step a player can select, kept as the
// baseline of the drop report's budget: from x1 up in doublings to the
// first warp that does not land (or down in halvings to the first that
// does), then 8 bisections between the last two, each run lasting the
// setup's time (at most 60 s) and at least 300 frames.
std::optional<double> LegacySearchStableWarp(const physics::DropSetup& setup);

#endif  // VANTREL_BENCH_LEGACY_WARP_SEARCH_H_
