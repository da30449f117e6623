#include "report/show_report.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "analysis/definition_file_check.h"
#include "analysis/physics_points.h"
#include "analysis/verdict_text.h"
#include "formats/item_file.h"
#include "formats/number_text.h"
#include "formats/text_encoding.h"
#include "physics/ground_plane.h"
#include "physics/resting_load.h"
#include "report/account_text.h"
#include "report/body_text.h"
#include "report/diagnostic_output.h"
#include "report/drop_report.h"
#include "report/passed_over_text.h"
#include "report/run_report.h"
#include "report/slope_text.h"
#include "report/text_table.h"
#include "report/touchdown_svg.h"
#include "rules/definition_rules.h"

namespace report {

namespace {

std::string FileName(const std::string& disk_path) {
  return formats::ShownPath(formats::PathOfHostText(disk_path).filename());
}

// What keeps a vessel on `points` from standing upright on its first three,
// as a sentence; empty when they stand it upright.
std::string StanceSentence(const std::vector<TOUCHDOWNVTX>& points) {
  if (points.size() < 3) return "";
  const auto problem =
      analysis::StanceProblemOf(points[0].pos, points[1].pos, points[2].pos);
  if (!problem) return "";
  std::string sentence = problem->text;
  sentence[0] = static_cast<char>(std::toupper(sentence[0]));
  return sentence;
}

// What the plug-in made of a key, as the lookup table says it.
std::string Verdict(const analysis::KeyTried& key) {
  switch (key.verdict) {
    case analysis::KeyTried::Verdict::kRefused:
      return "not opened: " + analysis::RefusalText(key.Refusal());
    case analysis::KeyTried::Verdict::kMissing:
      return "not found (no such file, or not readable)";
    case analysis::KeyTried::Verdict::kDoesNotCount:
    case analysis::KeyTried::Verdict::kApplied:
      break;
  }
  const std::string opened = "opened " + key.disk_path + "; ";
  const analysis::CountReading count =
      key.count.value_or(analysis::CountReading{});
  if (count.verdict != analysis::CountReading::Verdict::kCounts) {
    const std::string at =
        count.line > 0 ? "line " + std::to_string(count.line) + ": " : "";
    return opened + at + analysis::CountProblemText(count);
  }
  const std::string given = opened + "N = " + std::to_string(count.n) +
                            " (line " + std::to_string(count.line) + ")";
  return key.verdict == analysis::KeyTried::Verdict::kApplied
             ? given + ": applied"
             : given;
}

void PrintLookup(const analysis::VesselAccount& account,
                 const standin::VesselOutcome& vessel, std::ostream& out) {
  out << "Lookup, as the plug-in did it\n";
  TextTable table({false, false, false});
  if (!account.updates.empty()) {
    for (const analysis::KeyTried& key : account.updates.back().keys) {
      table.AddRow({KeyName(key.by), ShownDefinitionPath(key), Verdict(key)});
    }
  }
  table.Print(out, "  ");
  if (vessel.touchdown_sets == 0) {
    out << "  No definition applied: the vessel keeps its own points.\n";
  }
  PrintPassedOver(PassedOverKeys(account), "  ", out);
}

void PrintPoints(const standin::VesselOutcome& vessel,
                 const analysis::VesselAccount& account, std::ostream& out) {
  const analysis::KeyTried* applied = account.Applied();
  const bool own = applied == nullptr || vessel.touchdown_sets == 0;
  out << "\nTouchdown points "
      << (own ? "the vessel keeps" : "handed to the host") << " ("
      << account.points.size() << ")\n";
  TextTable table({true, true, true, true, true, true, true, true, false});
  table.AddRow({"#", "x", "y", "z", "stiffness", "damping", "mu", "mu_lng",
                "text from"});
  // The reasons the values marked are not what the file says.
  bool springs = false;
  bool friction = false;
  bool lateral = false;
  std::vector<std::size_t> ignored_seventh;
  for (std::size_t i = 0; i < account.points.size(); ++i) {
    const analysis::AccountedPoint& point = account.points[i];
    const TOUCHDOWNVTX& v = point.vertex;
    const double handed[7] = {v.pos.x,   v.pos.y, v.pos.z, v.stiffness,
                              v.damping, v.mu,    v.mu_lng};
    std::vector<std::string> row{std::to_string(i + 1)};
    if (own || !point.text) {
      for (double value : handed) row.push_back(formats::Fixed(value, 3));
      // Where the vessel's own points come from: its class file's
      // TouchdownPoints, or the host's defaults.
      row.push_back(own ? account.own_points_from : "the vessel's own");
      table.AddRow(row);
      continue;
    }
    const analysis::PointText& text = *point.text;
    for (std::size_t k = 0; k < 7; ++k) {
      const analysis::ValueOrigin origin = text.origins[k];
      row.push_back(formats::Fixed(handed[k], 3) +
                    (origin == analysis::ValueOrigin::kText ? " " : "*"));
      springs = springs || origin == analysis::ValueOrigin::kSprings;
      friction = friction || origin == analysis::ValueOrigin::kFriction;
      lateral = lateral || origin == analysis::ValueOrigin::kLateral;
    }
    if (text.seventh_ignored) ignored_seventh.push_back(i + 1);
    std::string from = text.line == 0 ? "\"0\""
                                      : FileName(applied->disk_path) + ":" +
                                            std::to_string(text.line);
    if (text.text_of != static_cast<long>(i) + 1) {
      from += " (POINT_" + std::to_string(i + 1) + " missing; " +
              (text.text_of == 0
                   ? std::string("the module starts from \"0\")")
                   : "repeats POINT_" + std::to_string(text.text_of) + ")");
    }
    row.push_back(from);
    table.AddRow(row);
  }
  table.Print(out, "  ");
  if (springs || friction || lateral) {
    out << "  * not what the file says; the module changed it:\n";
  }
  if (springs) {
    out << "    stiffness, damping: completion, because the first point's "
           "stiffness or damping is 0: k = m * "
        << formats::Shortest(rules::kGravity)
        << ", c = " << formats::Shortest(rules::kDampingRatio) << " * "
        << formats::Shortest(rules::kCriticalDampingFactor)
        << " * sqrt(m * k), for every point\n";
  }
  if (friction) {
    out << "    mu, mu_lng: completion, because the first point's lateral "
           "friction is 0: "
        << formats::Fixed(rules::kDefaultFriction, 1) << " for every point\n";
  }
  if (lateral) {
    out << "    mu_lng from point 4 on: the module sets it to mu";
    constexpr std::size_t kShown = 5;
    for (std::size_t n = 0; n < ignored_seventh.size() && n < kShown; ++n) {
      out << (n == 0 ? " (the seventh number written is ignored: point " : ", ")
          << ignored_seventh[n];
    }
    if (ignored_seventh.size() > kShown) {
      out << " and " << ignored_seventh.size() - kShown << " more";
    }
    if (!ignored_seventh.empty()) out << ")";
    out << '\n';
  }
}

// The host's placement of a vessel that a scenario puts down as landed:
// from points 1-3 alone, under `gravity` (m/s^2).
void PrintPlacement(const standin::VesselOutcome& vessel, double gravity,
                    std::ostream& out) {
  out << "  The host's placement of a landed vessel (points 1-3 alone): ";
  const std::string problem = StanceSentence(vessel.touchdown);
  if (!problem.empty()) {
    out << problem << ".\n";
    return;
  }
  const physics::ContactPoints points =
      analysis::ToContactPoints(vessel.touchdown);
  const auto placed = physics::LandedPlacement(points, vessel.mass, gravity);
  const physics::RestingLoad load =
      physics::ComputeRestingLoad(points, vessel.mass, gravity);
  if (!placed || load.outcome == physics::RestingLoad::Outcome::kNoTriangle) {
    out << "none (the three points make no balance).\n";
    return;
  }
  const double weight = vessel.mass * gravity;
  out << "the CoG " << formats::Measured(placed->position.y, 4)
      << " m above the ground, loads";
  for (std::size_t i = 0; i < 3; ++i) {
    out << (i == 0 ? " " : " / ")
        << formats::Measured(100.0 * load.contacts[i].force / weight, 1)
        << " %";
  }
  out << (load.outcome == physics::RestingLoad::Outcome::kTips
              ? "; a negative load: on these three alone it would tip.\n"
              : ".\n");
}

void PrintRestingLoad(const standin::VesselOutcome& vessel,
                      const DroppedSet& drop,
                      const std::optional<DroppedSet>& full,
                      std::ostream& out) {
  const physics::DropResult& r = drop.result;
  const double gravity = drop.setup.gravity;
  out << "\nResting on flat ground: the host's ground contact, released "
      << formats::Shortest(drop.setup.height)
      << " m above the ground at x1 and " << formats::Shortest(drop.setup.fps)
      << " fps, under the weight " << formats::Shortest(vessel.mass * gravity)
      << " N (" << formats::Shortest(vessel.mass) << " kg x "
      << formats::Fixed(gravity, 4) << " m/s^2)\n"
      << "  " << VerdictLine(drop) << "\n";
  for (const std::string& reason : VerdictReasons(drop)) {
    out << "  " << reason << "\n";
  }
  if (full) {
    for (const std::string& line : FullTanksLines(*full)) {
      out << "  " << line << "\n";
    }
  }
  TextTable table({true, true, true, true, true});
  table.AddRow({"#", "load (N)", "share", "compression (m)", "damping ratio"});
  const double weight = vessel.mass * gravity;
  std::string notes;
  for (std::size_t i = 0; i < r.points.size(); ++i) {
    const physics::ContactPoint& p = drop.setup.points[i];
    const double share = r.points[i].load_share;
    const double force = share * weight;
    const bool carries = r.points[i].depth > 0.0 && force > 0.0;
    table.AddRow(
        {std::to_string(i + 1), formats::Measured(force, 1),
         formats::Measured(100 * share, 1) + " %",
         carries ? formats::Measured(r.points[i].depth, 4) : "off the ground",
         carries
             ? formats::Measured(
                   p.damping / (2.0 * std::sqrt(p.stiffness * force / gravity)),
                   3)
             : "-"});
    if (!(p.stiffness > 0.0)) {
      notes += "  point " + std::to_string(i + 1) +
               " has no spring (stiffness " + formats::Shortest(p.stiffness) +
               "): it carries nothing.\n";
    }
  }
  table.Print(out, "  ");
  out << notes;
  out << "  The CoG " << (r.at_rest ? "rests " : "ends ")
      << formats::Measured(r.rest_sample.cog_height, 4)
      << " m above the ground, pitch "
      << formats::Measured(r.rest_sample.pitch_deg, 2) << " deg, roll "
      << formats::Measured(r.rest_sample.roll_deg, 2) << " deg"
      << (r.at_rest ? "" : ", not at rest") << ".\n";
  PrintPlacement(vessel, gravity, out);
  out << "  Model: the host's ground contact on every point (vantrel drop "
         "explains it); compression = depth at rest; damping ratio = c / (2 "
         "sqrt(k * load / g)).\n";
}

// What `vantrel check` says about the file that applied.
void PrintCheck(const analysis::KeyTried& applied, files::FileSystem& files,
                std::ostream& out) {
  out << "\nCheck of " << applied.disk_path << "\n";
  const auto found = analysis::CheckDefinitionFile(
      files, formats::PathOfHostText(applied.disk_path));
  for (const analysis::Diagnostic& d : found) {
    out << "  " << analysis::FormatProblem(d) << '\n';
  }
  if (found.empty()) out << "  Nothing to report.\n";
}

}  // namespace

DroppedSet ShowDrop(const standin::VesselOutcome& vessel,
                    const vessel::VesselBody& body) {
  physics::DropOptions options;
  options.gravity = body.gravity;
  DroppedSet drop = DropSet("", vessel::DroppedVesselOf(vessel.model),
                            analysis::ToContactPoints(vessel.touchdown),
                            options, vessel.touchdown_sets > 0);
  drop.slope =
      slope::AnswerOnSlope(slope::OnShownSlope(drop.setup, body.slope_factor));
  return drop;
}

void PrintShowReport(const standin::SessionResult& result,
                     const standin::VesselOutcome& vessel,
                     const analysis::VesselAccount& account,
                     files::FileSystem& files, const DroppedSet& drop,
                     std::ostream& out) {
  out << "Vessel " << vessel.name << ", class " << vessel.class_name
      << ", mass " << MassText(vessel, " kg") << "\n"
      << "  on " << BodyText(account.body) << "\n\n";
  PrintLookup(account, vessel, out);

  out << "\nHost log (" << result.log.size() << " lines)\n";
  for (const std::string& line : result.log) out << "  " << line << '\n';

  if (const analysis::KeyTried* applied = account.Applied()) {
    PrintCheck(*applied, files, out);
  }
  PrintPoints(vessel, account, out);
  PrintRestingLoad(vessel, drop, FullTanksSet(drop, vessel.model), out);
  if (drop.slope) {
    out << "\nOn slopes of the body " << account.body.name
        << ", released alike, nose downhill: " << SlopeLine(*drop.slope)
        << "\n";
  }
}

std::string DrawShownVessel(const standin::VesselOutcome& vessel,
                            const physics::DropResult& drop) {
  TouchdownDrawing drawing;
  drawing.title = vessel.name + " (class " + vessel.class_name + ", " +
                  std::to_string(static_cast<long long>(vessel.mass)) +
                  " kg): " + std::to_string(vessel.touchdown.size()) +
                  " touchdown points";
  drawing.points = vessel.touchdown;
  // The vessel as the drop test leaves it: the ground under it in its own
  // frame, tilted when it rests tilted.
  const physics::BodyState& rest = drop.rest;
  if (!drop.diverged) {
    drawing.origin_height = rest.position.y;
    const physics::Vec3 up = physics::GroundUp(rest);
    VECTOR3 ground_up{};
    ground_up.x = up.x;
    ground_up.y = up.y;
    ground_up.z = up.z;
    drawing.ground_up = ground_up;
  }
  drawing.warning = StanceSentence(vessel.touchdown);
  return DrawTouchdownSvg(drawing);
}

}  // namespace report
