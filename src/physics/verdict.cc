#include "physics/verdict.h"

#include <algorithm>

#include "physics/contact_forces.h"
#include "physics/drop_test.h"
#include "physics/resting_load.h"
#include "physics/warp_steps.h"

namespace physics {

const char* VerdictName(Verdict verdict) {
  switch (verdict) {
    case Verdict::kUnstable:
      return "unstable";
    case Verdict::kSinks:
      return "sinks";
    case Verdict::kTipsOver:
      return "tips-over";
    case Verdict::kKeepsMoving:
      return "keeps-moving";
    case Verdict::kCogBelowGround:
      return "cog-below-ground";
    case Verdict::kNegativeLoad:
      return "negative-load";
    case Verdict::kRestsTilted:
      return "rests-tilted";
    case Verdict::kUnsafeAtX1:
      return "unsafe-at-x1";
    case Verdict::kLands:
      break;
  }
  return "lands";
}

std::vector<Verdict> RunFaults(const DropResult& run) {
  if (run.diverged) return {Verdict::kUnstable};
  std::vector<Verdict> faults;
  const bool sunk =
      std::any_of(run.points.begin(), run.points.end(),
                  [](const PointRest& p) { return p.depth >= kDepthCap; });
  if (sunk) faults.push_back(Verdict::kSinks);
  const bool tipped = run.tilt_deg > kUprightDeg;
  if (tipped) faults.push_back(Verdict::kTipsOver);
  if (!run.at_rest) {
    faults.push_back(Verdict::kKeepsMoving);
    return faults;
  }
  if (run.rest_sample.cog_height < 0.0) {
    faults.push_back(Verdict::kCogBelowGround);
  }
  const bool negative = std::any_of(
      run.points.begin(), run.points.end(),
      [](const PointRest& p) { return p.load_share < -kShareTolerance; });
  if (negative) faults.push_back(Verdict::kNegativeLoad);
  if (!tipped && run.tilt_deg > kLevelDeg) {
    faults.push_back(Verdict::kRestsTilted);
  }
  return faults;
}

Judgement Judge(const DropResult& run, const RestingLoad& placement,
                double weight, const WarpSweep& sweep) {
  Judgement judgement;
  judgement.faults = RunFaults(run);
  std::vector<Verdict>& faults = judgement.faults;
  if (placement.outcome != RestingLoad::Outcome::kNoTriangle &&
      std::any_of(placement.contacts.begin(), placement.contacts.end(),
                  [&](const PrimaryContact& c) {
                    return c.force < -kShareTolerance * weight;
                  })) {
    faults.push_back(Verdict::kNegativeLoad);
  }
  const WarpStep* failure = sweep.Failure();
  if (failure != nullptr && failure->warp <= 1.0) {
    if (std::find(faults.begin(), faults.end(), failure->Outcome()) ==
        faults.end()) {
      faults.push_back(Verdict::kUnsafeAtX1);
    }
  }
  std::sort(faults.begin(), faults.end());
  faults.erase(std::unique(faults.begin(), faults.end()), faults.end());
  if (!faults.empty()) judgement.verdict = faults.front();
  return judgement;
}

}  // namespace physics
