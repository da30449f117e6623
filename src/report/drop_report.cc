#include "report/drop_report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <thread>

#include "formats/number_text.h"
#include "physics/contact_forces.h"
#include "physics/stability.h"
#include "report/diagnostic_output.h"
#include "report/text_table.h"

namespace report {

namespace {

using physics::Verdict;

std::string JsonNumber(double value) {
  if (!std::isfinite(value)) return "null";
  char text[64];
  // Adding 0 turns -0 into 0.
  std::snprintf(text, sizeof text, "%.9g", value + 0.0);
  return text;
}

std::string JsonVerdict(Verdict verdict) {
  return std::string("\"") + physics::VerdictName(verdict) + "\"";
}

// A number of the state, or "diverged" when the motion grew without bound.
std::string Settled(const DroppedSet& set, std::string number) {
  return set.result.diverged ? "diverged" : number;
}

std::string LandedAt(const physics::DropResult& r) {
  return r.landed_at ? formats::Fixed(*r.landed_at, 2) + " s" : "never";
}

std::string Seconds(double seconds) {
  return formats::Shortest(seconds) + " s";
}

double SubStep(const DroppedSet& set, double warp) {
  return physics::SubStep(set.setup.fps, warp);
}

// What a step that does not land does there: "unstable, put down landed".
std::string StepFailure(const physics::WarpStep& step) {
  return std::string(physics::VerdictName(step.Outcome())) +
         (step.landed != Verdict::kLands ? ", put down landed"
                                         : ", handed over");
}

// The linear estimate to three significant digits ("x349", "x72.7"): it
// is an estimate, and more digits would claim a precision it lacks.
std::string EstimateText(double warp) {
  if (!(warp > 0.0) || !std::isfinite(warp)) return formats::Shortest(warp);
  // Divided by a whole power of ten, the rounded value is the double
  // nearest its decimal digits, which Shortest prints as they are.
  const double digits = 2.0 - std::floor(std::log10(warp));
  const double scale = std::pow(10.0, std::fabs(digits));
  return formats::Shortest(digits >= 0.0 ? std::round(warp * scale) / scale
                                         : std::round(warp / scale) * scale);
}

// "x10", "none"; and the step that fails after it.
std::string SafeWarp(const DroppedSet& set) {
  return set.sweep.safe_warp ? "x" + formats::Shortest(*set.sweep.safe_warp)
                             : "none";
}

std::string FirstFailure(const DroppedSet& set) {
  const physics::WarpStep* failure = set.sweep.Failure();
  if (failure == nullptr) return "none up to x100000";
  return "x" + formats::Shortest(failure->warp) + ": " + StepFailure(*failure);
}

std::string Percent(double share) {
  return formats::Fixed(100.0 * share, 1) + " %";
}

// The sentences of a negative load: at rest, and in the host's placement.
std::string NegativeLoad(const DroppedSet& set) {
  std::string text;
  const physics::DropResult& r = set.result;
  for (std::size_t i = 0; i < r.points.size(); ++i) {
    if (r.at_rest && r.points[i].load_share < -physics::kShareTolerance) {
      text += (text.empty() ? "" : "; ") + std::string("point ") +
              std::to_string(i + 1) + " carries " +
              Percent(r.points[i].load_share) +
              " of the ground's force at rest";
    }
  }
  if (set.placement.outcome == physics::RestingLoad::Outcome::kNoTriangle) {
    return text;
  }
  const double weight = set.setup.body.mass * set.setup.gravity;
  for (std::size_t i = 0; i < 3; ++i) {
    const double share = set.placement.contacts[i].force / weight;
    if (share < -physics::kShareTolerance) {
      text += (text.empty() ? "" : "; ") + std::string("point ") +
              std::to_string(i + 1) + " carries " + Percent(share) +
              " of the weight where the host puts a landed vessel down: the "
              "CoG lies outside triangle 1-2-3";
    }
  }
  return text;
}

std::string Reason(const DroppedSet& set, Verdict fault) {
  const physics::DropResult& r = set.result;
  const std::string rests = r.at_rest ? "rests" : "ends";
  switch (fault) {
    case Verdict::kUnstable:
      return "the motion grew without bound or stopped being finite: at x" +
             formats::Shortest(set.setup.warp) + " and " +
             formats::Shortest(set.setup.fps) +
             " fps (h = " + formats::Shortest(SubStep(set, set.setup.warp)) +
             " s) the springs are too stiff for the step";
    case Verdict::kSinks: {
      std::size_t deepest = 0;
      for (std::size_t i = 1; i < r.points.size(); ++i) {
        if (r.points[i].depth > r.points[deepest].depth) deepest = i;
      }
      return "point " + std::to_string(deepest + 1) + " " + rests + " " +
             formats::Fixed(r.points[deepest].depth, 4) +
             " m deep, at the host's " + formats::Shortest(physics::kDepthCap) +
             " m depth cap";
    }
    case Verdict::kTipsOver:
      return "it " + rests + " leaning " + formats::Fixed(r.tilt_deg, 2) +
             " deg from upright, beyond " +
             formats::Shortest(physics::kUprightDeg) + " deg";
    case Verdict::kKeepsMoving:
      return "not LANDED within " + Seconds(set.setup.seconds);
    case Verdict::kCogBelowGround:
      return "its CoG rests " + formats::Fixed(-r.rest_sample.cog_height, 4) +
             " m below the ground";
    case Verdict::kNegativeLoad:
      return NegativeLoad(set);
    case Verdict::kRestsTilted:
      return "it rests leaning " + formats::Fixed(r.tilt_deg, 2) +
             " deg from upright; level is within " +
             formats::Shortest(physics::kLevelDeg) + " deg";
    case Verdict::kUnsafeAtX1:
      return FirstFailure(set) +
             (set.sweep.safe_warp
                  ? "; every step lands only up to " + SafeWarp(set)
                  : "; no step lands");
    case Verdict::kLands:
      break;
  }
  return "";
}

std::string JsonOptional(const std::optional<double>& value) {
  return value ? JsonNumber(*value) : "null";
}

// The keys of a set answered on a slope.
void PrintSlopeJson(const slope::SlopeAnswer& answer, std::ostream& out) {
  const physics::Slope& slope = answer.slope;
  const slope::Creep& creep = answer.creep;
  const bool moves = !creep.unstable;
  out << "  \"slope_deg\": " << JsonNumber(slope.angle_deg) << ",\n"
      << "  \"downhill_deg\": " << JsonNumber(slope.downhill_deg) << ",\n"
      << "  \"kappa\": " << JsonNumber(slope.kappa) << ",\n"
      << "  \"comes_to_rest_at_s\": " << JsonOptional(creep.landed_at_s)
      << ",\n  \"creep_along_mm_s\": "
      << (moves ? JsonNumber(creep.along_mm_s) : "null")
      << ",\n  \"creep_across_mm_s\": "
      << (moves ? JsonNumber(creep.across_mm_s) : "null")
      << ",\n  \"creep_steady\": " << (creep.settled ? "true" : "false")
      << ",\n  \"slides\": " << (creep.slides ? "true" : "false")
      << ",\n  \"drift_per_hour_m\": " << JsonOptional(creep.drift_per_hour_m)
      << ",\n  \"rests_up_to_deg\": " << JsonOptional(answer.rests.slope_deg)
      << ",\n  \"rests_up_to_step_deg\": " << JsonNumber(answer.rests.step_deg)
      << ",\n  \"does_not_rest_on_deg\": "
      << JsonOptional(answer.rests.fails_deg) << ",\n  \"tips_over_deg\": "
      << (answer.tip.stands ? JsonNumber(answer.tip.slope_deg) : "null")
      << ",\n  \"tips_over_worst_deg\": "
      << (answer.tip.stands ? JsonNumber(answer.tip.worst_slope_deg) : "null")
      << ",\n  \"tips_over_worst_downhill_deg\": "
      << (answer.tip.stands ? JsonNumber(answer.tip.worst_downhill_deg)
                            : "null")
      << ",\n";
}

void PrintPoints(const DroppedSet& set, std::ostream& out) {
  const physics::DropResult& r = set.result;
  out << "\nPoints " << (r.at_rest ? "at rest" : "at the end") << ", "
      << set.label << "\n";
  TextTable table({true, true, true, true, true, true});
  table.AddRow({"#", "x", "y", "z", "depth (m)", "load share"});
  for (std::size_t i = 0; i < r.points.size(); ++i) {
    const physics::Vec3& p = set.setup.points[i].pos;
    table.AddRow(
        {std::to_string(i + 1), formats::Fixed(p.x, 3), formats::Fixed(p.y, 3),
         formats::Fixed(p.z, 3),
         Settled(set, formats::Measured(r.points[i].depth, 4)),
         Settled(set,
                 formats::Measured(100.0 * r.points[i].load_share, 1) + " %")});
  }
  table.Print(out, "  ");
}

// Each set's steps: where every step lands, and the first that does not.
void PrintWarps(const DroppedSet* const (&sets)[2], std::ostream& out) {
  const double fps = sets[0]->setup.fps;
  out << "\nTime acceleration at " << formats::Shortest(fps)
      << " fps (h = warp / "
      << formats::Shortest(10.0 / physics::FrameTime(fps))
      << " s): each step a player can select from x0.1 up, run as vantrel "
         "drop --landed --warp W\nruns it, and as --switch --warp W when the "
         "definition is handed over\n";
  for (const DroppedSet* set : sets) {
    out << "  " << set->label << ": ";
    if (set->sweep.safe_warp) {
      out << "every step up to x" << formats::Shortest(*set->sweep.safe_warp)
          << " (h = " << formats::Shortest(SubStep(*set, *set->sweep.safe_warp))
          << " s) lands" << (set->hand_over ? " from both starts" : "");
    } else {
      out << "no step lands";
    }
    if (const physics::WarpStep* failure = set->sweep.Failure()) {
      out << "; x" << formats::Shortest(failure->warp)
          << " (h = " << formats::Shortest(SubStep(*set, failure->warp))
          << " s): " << StepFailure(*failure);
    }
    out << "; linear estimate x" << EstimateText(set->linear_warp) << "\n";
  }
  out << "  Stability depends on h alone: a lower frame rate lowers the safe "
         "time acceleration in proportion.\n  The linear estimate is the "
         "scheme's stability limit for the stiffest of the vertical, pitch "
         "and roll modes alone.\n";
}

}  // namespace

DroppedSet DropSet(std::string label, const physics::DroppedVessel& vessel,
                   const physics::ContactPoints& points,
                   const physics::DropOptions& options, bool hand_over) {
  return {
      physics::DropAndJudge(vessel, points, options, hand_over,
                            std::max(1u, std::thread::hardware_concurrency())),
      std::move(label), std::nullopt};
}

std::optional<DroppedSet> FullTanksSet(const DroppedSet& set,
                                       const vessel::VesselModel& model) {
  if (!(model.full_mass > set.setup.body.mass)) return std::nullopt;
  return DroppedSet{
      physics::JudgeAtMass(set, model.full_mass,
                           std::max(1u, std::thread::hardware_concurrency())),
      set.label + " with full tanks", std::nullopt};
}

std::vector<std::string> FullTanksLines(const DroppedSet& full) {
  std::vector<std::string> lines{
      "with full tanks (" + formats::Shortest(full.setup.body.mass) +
      " kg; the verdict above is at the lighter mass): " + VerdictLine(full)};
  for (const std::string& reason : VerdictReasons(full)) {
    lines.push_back("  " + reason);
  }
  return lines;
}

void AnswerSlopes(DroppedSet& before, DroppedSet& after) {
  std::thread helper(
      [&before] { before.slope = slope::AnswerOnSlope(before.setup); });
  after.slope = slope::AnswerOnSlope(after.setup);
  helper.join();
}

std::vector<std::string> VerdictReasons(const DroppedSet& set) {
  std::vector<std::string> reasons;
  for (const Verdict fault : set.judgement.faults) {
    reasons.push_back(std::string(physics::VerdictName(fault)) + ": " +
                      Reason(set, fault));
  }
  return reasons;
}

std::string VerdictLine(const DroppedSet& set) {
  const physics::DropResult& r = set.result;
  std::string line = physics::VerdictName(set.judgement.verdict);
  if (r.landed_at) line += " (LANDED at " + LandedAt(r) + ")";
  line += "; safe time acceleration at " + formats::Shortest(set.setup.fps) +
          " fps: " + (set.sweep.safe_warp ? "up to " : "") + SafeWarp(set);
  if (const physics::WarpStep* failure = set.sweep.Failure()) {
    line +=
        "; x" + formats::Shortest(failure->warp) + ": " + StepFailure(*failure);
  }
  line += " (linear estimate x" + EstimateText(set.linear_warp) + ")";
  return line;
}

void PrintDropText(const DroppedSet& before, const DroppedSet& after,
                   std::ostream& out) {
  const DroppedSet* const sets[] = {&before, &after};
  TextTable table({false, false, false});
  table.AddRow({"", before.label, after.label});
  const auto row = [&](const std::string& name, auto value) {
    table.AddRow({name, value(*sets[0]), value(*sets[1])});
  };
  row("verdict", [](const DroppedSet& s) {
    return std::string(physics::VerdictName(s.judgement.verdict));
  });
  row("LANDED at", [](const DroppedSet& s) { return LandedAt(s.result); });
  row("CoG height (m)", [](const DroppedSet& s) {
    return Settled(s, formats::Measured(s.result.rest_sample.cog_height, 4));
  });
  row("pitch, roll (deg)", [](const DroppedSet& s) {
    return Settled(s, formats::Measured(s.result.rest_sample.pitch_deg, 2) +
                          ", " +
                          formats::Measured(s.result.rest_sample.roll_deg, 2));
  });
  row("tilt (deg)", [](const DroppedSet& s) {
    return Settled(s, formats::Measured(s.result.tilt_deg, 2));
  });
  row("bounces",
      [](const DroppedSet& s) { return std::to_string(s.result.bounces); });
  // Past the cap on the way down, the springs pushed back no harder: a
  // set that still comes to rest says where it went.
  row("deepest depth (m)", [](const DroppedSet& s) {
    return Settled(s, formats::Measured(s.result.max_depth, 4) +
                          (s.result.max_depth >= physics::kDepthCap
                               ? " (at the depth cap on the way)"
                               : ""));
  });
  row("safe time acceleration", SafeWarp);
  row("first step that fails", FirstFailure);
  table.Print(out, "  ");
  for (const DroppedSet* set : sets) {
    const std::vector<std::string> reasons = VerdictReasons(*set);
    if (reasons.empty()) continue;
    out << "\nWhy not lands, " << set->label << "\n";
    for (const std::string& reason : reasons) out << "  " << reason << "\n";
  }
  PrintWarps(sets, out);
  for (const DroppedSet* set : sets) PrintPoints(*set, out);
}

void PrintDropJson(const DroppedSet& after,
                   const std::optional<DroppedSet>& full,
                   const vessel::VesselBody& body, std::ostream& out) {
  const physics::DropResult& r = after.result;
  out << "{\n  \"verdict\": " << JsonVerdict(after.judgement.verdict)
      << ",\n  \"faults\": [";
  for (std::size_t i = 0; i < after.judgement.faults.size(); ++i) {
    out << (i == 0 ? "" : ", ") << JsonVerdict(after.judgement.faults[i]);
  }
  out << "],\n"
      << "  \"landed_at_s\": "
      << (r.landed_at ? JsonNumber(*r.landed_at) : "null") << ",\n"
      << "  \"rest\": {\"cog_height_m\": "
      << JsonNumber(r.rest_sample.cog_height)
      << ", \"pitch_deg\": " << JsonNumber(r.rest_sample.pitch_deg)
      << ", \"roll_deg\": " << JsonNumber(r.rest_sample.roll_deg)
      << ", \"tilt_deg\": " << JsonNumber(r.tilt_deg) << "},\n"
      << "  \"points\": [";
  for (std::size_t i = 0; i < r.points.size(); ++i) {
    out << (i == 0 ? "\n" : ",\n") << "    {\"index\": " << i + 1
        << ", \"depth_m\": " << JsonNumber(r.points[i].depth)
        << ", \"load_share\": " << JsonNumber(r.points[i].load_share) << "}";
  }
  const std::optional<double>& safe = after.sweep.safe_warp;
  out << (r.points.empty() ? "],\n" : "\n  ],\n")
      << "  \"bounces\": " << r.bounces << ",\n"
      << "  \"max_depth_m\": " << JsonNumber(r.max_depth) << ",\n"
      << "  \"fps\": " << JsonNumber(after.setup.fps) << ",\n"
      << "  \"body\": " << JsonString(body.name) << ",\n"
      << "  \"gravity_m_s2\": " << JsonNumber(after.setup.gravity) << ",\n"
      << "  \"gravity_from\": " << JsonString(body.gravity_from) << ",\n";
  if (after.slope) PrintSlopeJson(*after.slope, out);
  out << "  \"max_stable_warp\": " << (safe ? JsonNumber(*safe) : "null")
      << ",\n  \"max_stable_warp_h_s\": "
      << (safe ? JsonNumber(SubStep(after, *safe)) : "null") << ",\n"
      << "  \"warp_steps\": [";
  for (std::size_t i = 0; i < after.sweep.steps.size(); ++i) {
    const physics::WarpStep& step = after.sweep.steps[i];
    out << (i == 0 ? "\n" : ",\n") << "    {\"warp\": " << JsonNumber(step.warp)
        << ", \"h_s\": " << JsonNumber(SubStep(after, step.warp))
        << ", \"landed\": " << JsonVerdict(step.landed) << ", \"handed_over\": "
        << (step.handed_over ? JsonVerdict(*step.handed_over) : "null") << "}";
  }
  out << (after.sweep.steps.empty() ? "],\n" : "\n  ],\n")
      << "  \"linear_estimate_warp\": " << JsonNumber(after.linear_warp)
      << ",\n  \"full_tanks\": ";
  if (full) {
    const std::optional<double>& full_safe = full->sweep.safe_warp;
    out << "{\"mass_kg\": " << JsonNumber(full->setup.body.mass)
        << ", \"verdict\": " << JsonVerdict(full->judgement.verdict)
        << ", \"max_stable_warp\": "
        << (full_safe ? JsonNumber(*full_safe) : "null") << "}";
  } else {
    out << "null";
  }
  out << "\n}\n";
}

}  // namespace report
