#ifndef VANTREL_PHYSICS_VERDICT_H_
#define VANTREL_PHYSICS_VERDICT_H_

#include <vector>

namespace physics {

struct DropResult;
struct RestingLoad;
struct WarpSweep;

// The tolerances of the verdicts, each stated here once.
// Leaning further than this from the ground's up (degrees), a vessel has
// tipped over.
constexpr double kUprightDeg = 30.0;
// Leaning at most this far (degrees), a vessel at rest stands level.
constexpr double kLevelDeg = 5.0;
// A load share (of the weight, or of the ground's force) counts as
// negative below minus this: a share that shows as 0.0 % does not.
constexpr double kShareTolerance = 5e-4;

// What the host does with a vessel on flat ground, in one word: kLands, or
// the fault that keeps it from landing. The faults are listed most serious
// first; a verdict names the first one that holds.
enum class Verdict {
  kUnstable,        // the motion grew without bound or stopped being finite
  kSinks,           // at rest, or at the end, a point at the host's depth cap
  kTipsOver,        // at rest, or at the end, leaning beyond kUprightDeg
  kKeepsMoving,     // not LANDED within the time
  kCogBelowGround,  // at rest with its CoG below the ground
  // At rest a point carries a negative share of the ground's force, or a
  // primary point one of the weight where the host puts a landed vessel
  // down (the CoG outside triangle 1-2-3).
  kNegativeLoad,
  kRestsTilted,  // at rest, leaning beyond kLevelDeg
  // A time acceleration a player can select up to x1 does not land, for a
  // fault the other verdicts do not name.
  kUnsafeAtX1,
  // At rest, level, every share at least 0; for a set, also its placement
  // and every time acceleration up to x1.
  kLands,
};

// "unstable", "sinks", "tips-over", "keeps-moving", "cog-below-ground",
// "negative-load", "rests-tilted", "unsafe-at-x1", "lands".
const char* VerdictName(Verdict verdict);

// The faults of one drop, most serious first; none when it lands. The
// faults of a state at rest count only when the drop came to rest.
std::vector<Verdict> RunFaults(const DropResult& run);

// The verdict on a set of points, with every fault behind it.
struct Judgement {
  Verdict verdict = Verdict::kLands;  // the first fault, or kLands
  std::vector<Verdict> faults;        // most serious first
};

// The faults of the set's drop `run`, and of the set itself: a primary
// point with a negative share of the weight `weight` in the host's
// placement `placement`, and a step of `sweep` up to x1 that does not land
// (unless what it does there is a fault already named).
Judgement Judge(const DropResult& run, const RestingLoad& placement,
                double weight, const WarpSweep& sweep);

}  // namespace physics

#endif  // VANTREL_PHYSICS_VERDICT_H_
