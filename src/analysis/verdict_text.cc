#include "analysis/verdict_text.h"

#include "analysis/physics_points.h"

namespace analysis {

std::string RefusalText(const rules::KeyRefusal& refusal) {
  using Reason = rules::KeyRefusal::Reason;
  const std::string component(refusal.component);
  switch (refusal.reason) {
    case Reason::kNone:
      break;
    case Reason::kColon:
      return "the key holds a ':', which names a drive or a stream of a file";
    case Reason::kLeadingBackslash:
      return "the key starts with '\\', which leaves the Vantrel folder";
    case Reason::kParentFolder:
      return "the key holds '" + component +
             "', which Windows reads as '..': it leaves the Vantrel folder";
    case Reason::kDevice:
      return "'" + component +
             "' names a Windows device (CON, PRN, AUX, NUL, COM1, LPT1 and "
             "the like, with any extension), which can block the simulator";
  }
  return "";
}

std::string CountProblemText(const CountReading& count) {
  using Verdict = CountReading::Verdict;
  const std::string ignored =
      "; the module reads 0 points and ignores the file";
  const std::string n = "N = " + std::to_string(count.n);
  switch (count.verdict) {
    case Verdict::kCounts:
      break;
    case Verdict::kNoN:
      return "there is no N" + ignored;
    case Verdict::kNoValue:
      return "N has no value" + ignored;
    case Verdict::kNotANumber:
      return "N = '" + count.text + "' is not a number" + ignored;
    case Verdict::kTooFew:
      return n + ": a definition needs at least " +
             std::to_string(rules::kMinPoints) +
             " points; the module ignores the file and looks further (the "
             "class, or nothing)";
    case Verdict::kTooMany:
      return n + " is more than " + std::to_string(rules::kMaxPoints) +
             ", the most the module takes; it ignores the file";
  }
  return "";
}

std::optional<StanceProblem> StanceProblemOf(const VECTOR3& p1,
                                             const VECTOR3& p2,
                                             const VECTOR3& p3) {
  const physics::Stance stance = physics::StanceOf(
      physics::GroundNormal(ToVec3(p1), ToVec3(p2), ToVec3(p3)));
  switch (stance) {
    case physics::Stance::kUpright:
      break;
    case physics::Stance::kUpsideDown:
      return StanceProblem{stance,
                           "the first three points give a downward normal: "
                           "the host sets the vessel upside down"};
    case physics::Stance::kNoPlane:
      return StanceProblem{stance,
                           "the first three points make no ground "
                           "plane (" +
                               WhyNoGroundPlane(p1, p2, p3) +
                               "): the host keeps its old one"};
  }
  return std::nullopt;
}

}  // namespace analysis
