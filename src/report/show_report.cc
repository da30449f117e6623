#include "show_report.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "definition_file_check.h"
#include "definition_rules.h"
#include "diagnostic_output.h"
#include "drop_report.h"
#include "ground_plane.h"
#include "item_file.h"
#include "lookup_trace.h"
#include "number_text.h"
#include "physics_points.h"
#include "resting_load.h"
#include "run_report.h"
#include "text_encoding.h"
#include "text_table.h"
#include "touchdown_svg.h"

namespace tools {

namespace {

using Result = standin::ItemFile::Lookup::Result;

// A derived value, which need not exist.
std::string Derived(double value, int decimals) {
  return std::isfinite(value) ? Fixed(value, decimals) : "n/a";
}

std::string FileName(const std::string& disk_path) {
  return standin::ShownPath(standin::PathOfHostText(disk_path).filename());
}

std::string Outcome(const FileAttempt& attempt) {
  if (!attempt.opened) return "not found (no such file, or not readable)";
  const std::string opened = "opened " + attempt.disk_path + "; ";
  const auto& count = attempt.count;
  const std::string at = " (line " + std::to_string(count.line) + ")";
  if (!attempt.count_read || count.result == Result::kNotFound) {
    return opened + "no N: does not count";
  }
  if (count.result == Result::kEmptyValue) {
    return opened + "N has no value" + at + ": does not count";
  }
  int n = 0;
  if (!standin::ParseItemInt(count.value, n)) {
    return opened + "N = '" + count.value + "'" + at +
           " is not a number: does not count";
  }
  const std::string given = opened + "N = " + std::to_string(n) + at;
  switch (rules::JudgeCount(n)) {
    case rules::CountVerdict::kTooFew:
      return given + ": fewer than " + std::to_string(rules::kMinPoints) +
             " points, does not count";
    case rules::CountVerdict::kTooMany:
      return given + ": more than " + std::to_string(rules::kMaxPoints) +
             " points, ignored";
    case rules::CountVerdict::kCounts:
      break;
  }
  return attempt.applied ? given + ": applied" : given;
}

// Why the module refuses to open the file of a key it deems unsafe
// (rules::IsUnsafeKey).
std::string WhyRefused(const std::string& key) {
  if (key.find(':') != std::string::npos) {
    return "the key holds a ':', which names a drive or a stream of a file";
  }
  if (!key.empty() && key.front() == '\\') {
    return "the key starts with '\\', which leaves the Vantrel folder";
  }
  std::size_t start = 0;
  while (start <= key.size()) {
    std::size_t end = key.find('\\', start);
    if (end == std::string::npos) end = key.size();
    const std::string component = key.substr(start, end - start);
    const bool dots = component.find_first_not_of(". ") == std::string::npos &&
                      component.find("..") != std::string::npos;
    if (dots) {
      return "the key holds '" + component +
             "', which Windows reads as '..': it leaves the Vantrel folder";
    }
    if (rules::IsUnsafeKey(component)) {
      return "'" + component +
             "' names a Windows device (CON, PRN, AUX, NUL, COM1, LPT1 and "
             "the like, with any extension), which can block the simulator";
    }
    start = end + 1;
  }
  return "the key could leave the Vantrel folder";
}

void PrintLookup(const std::vector<FileAttempt>& attempts,
                 const standin::VesselOutcome& vessel, std::ostream& out) {
  out << "Lookup, as the plug-in did it\n";
  TextTable table({false, false, false});
  // The module tries the name, then the class; a key it refuses opens
  // nothing, so it has no attempt of its own.
  std::size_t next = 0;
  bool applied = false;
  const std::pair<const char*, const std::string*> keys[] = {
      {"name", &vessel.name}, {"class", &vessel.class_name}};
  for (const auto& [label, key] : keys) {
    if (applied) break;
    if (rules::IsUnsafeKey(*key)) {
      table.AddRow({label, "Config" + rules::DefinitionPath(*key),
                    "not opened: " + WhyRefused(*key)});
      continue;
    }
    if (next == attempts.size()) break;
    const FileAttempt& attempt = attempts[next++];
    table.AddRow({label, "Config" + attempt.path, Outcome(attempt)});
    applied = attempt.applied;
  }
  for (; next < attempts.size(); ++next) {
    table.AddRow({"", "Config" + attempts[next].path, Outcome(attempts[next])});
  }
  table.Print(out, "  ");
  if (vessel.touchdown_sets == 0) {
    out << "  No definition applied: the vessel keeps its own points.\n";
  }
}

bool Same(double a, double b) {
  return a == b || (std::isnan(a) && std::isnan(b));
}

// Values the module handed over that are not what the file's text says.
struct Changes {
  bool springs = false;
  bool friction = false;
  bool copied_mu = false;
  // The points whose seventh number, written in the file, was ignored.
  std::vector<std::size_t> ignored_seventh;
};

void PrintPoints(const standin::VesselOutcome& vessel,
                 const FileAttempt* applied, std::ostream& out) {
  const bool own = applied == nullptr || vessel.touchdown_sets == 0;
  out << "\nTouchdown points "
      << (own ? "the vessel keeps" : "handed to the host") << " ("
      << vessel.touchdown.size() << ")\n";
  TextTable table({true, true, true, true, true, true, true, true, false});
  table.AddRow({"#", "x", "y", "z", "stiffness", "damping", "mu", "mu_lng",
                "text from"});
  Changes changes;
  for (std::size_t i = 0; i < vessel.touchdown.size(); ++i) {
    const TOUCHDOWNVTX& v = vessel.touchdown[i];
    const double handed[7] = {v.pos.x,   v.pos.y, v.pos.z, v.stiffness,
                              v.damping, v.mu,    v.mu_lng};
    std::vector<std::string> row{std::to_string(i + 1)};
    if (own || i >= applied->points.size()) {
      for (double value : handed) row.push_back(Fixed(value, 3));
      // Where the vessel's own points come from: its class file's
      // TouchdownPoints, or the host's defaults.
      row.push_back(own ? vessel.model.own_points_from : "the vessel's own");
      table.AddRow(row);
      continue;
    }
    const PointOrigin& origin = applied->points[i];
    // What the text says: the point as the module reads it, with a seventh
    // number that is written but ignored.
    const rules::PointText file = rules::ParsePoint(origin.text.c_str());
    const TOUCHDOWNVTX read = rules::VertexOf(file, static_cast<int>(i) + 1);
    const double said[7] = {
        read.pos.x,
        read.pos.y,
        read.pos.z,
        read.stiffness,
        read.damping,
        read.mu,
        file.count == rules::kPointNumbers ? file.numbers[6] : read.mu_lng};
    for (std::size_t k = 0; k < 7; ++k) {
      const bool changed = !Same(handed[k], said[k]);
      row.push_back(Fixed(handed[k], 3) + (changed ? "*" : " "));
      if (!changed) continue;
      if (k == 3 || k == 4) changes.springs = true;
      const bool copied = k == 6 &&
                          !rules::TakesSeventhNumber(static_cast<int>(i) + 1) &&
                          Same(v.mu_lng, v.mu);
      if (k == 5 || (k == 6 && !copied)) changes.friction = true;
      if (copied) {
        changes.copied_mu = true;
        if (file.count == rules::kPointNumbers) {
          changes.ignored_seventh.push_back(i + 1);
        }
      }
    }
    std::string from = origin.line == 0 ? "\"0\""
                                        : FileName(applied->disk_path) + ":" +
                                              std::to_string(origin.line);
    if (origin.text_of != static_cast<long>(i) + 1) {
      from += " (POINT_" + std::to_string(i + 1) + " missing; " +
              (origin.text_of == 0
                   ? std::string("the module starts from \"0\")")
                   : "repeats POINT_" + std::to_string(origin.text_of) + ")");
    }
    row.push_back(from);
    table.AddRow(row);
  }
  table.Print(out, "  ");
  if (changes.springs || changes.friction || changes.copied_mu) {
    out << "  * not what the file says; the module changed it:\n";
  }
  if (changes.springs) {
    out << "    stiffness, damping: completion, because the first point's "
           "stiffness or damping is 0: k = m * "
        << Shortest(rules::kGravity)
        << ", c = " << Shortest(rules::kDampingRatio) << " * "
        << Shortest(rules::kCriticalDampingFactor)
        << " * sqrt(m * k), for every point\n";
  }
  if (changes.friction) {
    out << "    mu, mu_lng: completion, because the first point's lateral "
           "friction is 0: "
        << Fixed(rules::kDefaultFriction, 1) << " for every point\n";
  }
  if (changes.copied_mu) {
    out << "    mu_lng from point 4 on: the module sets it to mu";
    const auto& points = changes.ignored_seventh;
    constexpr std::size_t kShown = 5;
    for (std::size_t n = 0; n < points.size() && n < kShown; ++n) {
      out << (n == 0 ? " (the seventh number written is ignored: point " : ", ")
          << points[n];
    }
    if (points.size() > kShown) {
      out << " and " << points.size() - kShown << " more";
    }
    if (!points.empty()) out << ")";
    out << '\n';
  }
}

// The host's placement of a vessel that a scenario puts down as landed:
// from points 1-3 alone, under `gravity` (m/s^2).
void PrintPlacement(const standin::VesselOutcome& vessel, double gravity,
                    std::ostream& out) {
  out << "  The host's placement of a landed vessel (points 1-3 alone): ";
  if (const auto problem = StanceProblem(vessel)) {
    out << *problem << ".\n";
    return;
  }
  const physics::ContactPoints points = ToContactPoints(vessel.touchdown);
  const auto placed = physics::LandedPlacement(points, vessel.mass, gravity);
  const physics::RestingLoad load =
      physics::ComputeRestingLoad(points, vessel.mass, gravity);
  if (!placed || load.outcome == physics::RestingLoad::Outcome::kNoTriangle) {
    out << "none (the three points make no balance).\n";
    return;
  }
  const double weight = vessel.mass * gravity;
  out << "the CoG " << Derived(placed->position.y, 4)
      << " m above the ground, loads";
  for (std::size_t i = 0; i < 3; ++i) {
    out << (i == 0 ? " " : " / ")
        << Derived(100.0 * load.contacts[i].force / weight, 1) << " %";
  }
  out << (load.outcome == physics::RestingLoad::Outcome::kTips
              ? "; a negative load: on these three alone it would tip.\n"
              : ".\n");
}

void PrintRestingLoad(const standin::VesselOutcome& vessel,
                      const DroppedSet& drop, std::ostream& out) {
  const physics::DropResult& r = drop.result;
  const double gravity = drop.setup.gravity;
  out << "\nResting on flat ground: the host's ground contact, released "
      << Shortest(drop.setup.height) << " m above the ground at x1 and "
      << Shortest(drop.setup.fps) << " fps, under the weight "
      << Shortest(vessel.mass * gravity) << " N (" << Shortest(vessel.mass)
      << " kg x " << Shortest(gravity) << " m/s^2)\n"
      << "  " << VerdictLine(drop) << "\n";
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
        {std::to_string(i + 1), Derived(force, 1),
         Derived(100 * share, 1) + " %",
         carries ? Derived(r.points[i].depth, 4) : "off the ground",
         carries ? Derived(p.damping /
                               (2.0 * std::sqrt(p.stiffness * force / gravity)),
                           3)
                 : "-"});
    if (!(p.stiffness > 0.0)) {
      notes += "  point " + std::to_string(i + 1) +
               " has no spring (stiffness " + Shortest(p.stiffness) +
               "): it carries nothing.\n";
    }
  }
  table.Print(out, "  ");
  out << notes;
  out << "  The CoG " << (r.at_rest ? "rests " : "ends ")
      << Derived(r.rest_sample.cog_height, 4) << " m above the ground, pitch "
      << Derived(r.rest_sample.pitch_deg, 2) << " deg, roll "
      << Derived(r.rest_sample.roll_deg, 2) << " deg"
      << (r.at_rest ? "" : ", not at rest") << ".\n";
  PrintPlacement(vessel, gravity, out);
  out << "  Model: the host's ground contact on every point (vantrel drop "
         "explains it); compression = depth at rest; damping ratio = c / (2 "
         "sqrt(k * load / g)).\n";
}

// What `vantrel check` says about the file that applied.
void PrintCheck(const FileAttempt& applied, standin::FileSystem& files,
                std::ostream& out) {
  out << "\nCheck of " << applied.disk_path << "\n";
  const auto found =
      CheckDefinitionFile(files, standin::PathOfHostText(applied.disk_path));
  for (const Diagnostic& d : found) {
    out << "  " << FormatProblem(d) << '\n';
  }
  if (found.empty()) out << "  Nothing to report.\n";
}

}  // namespace

std::optional<std::string> StanceProblem(const standin::VesselOutcome& vessel) {
  if (vessel.touchdown.size() < 3) return std::nullopt;
  const auto& p = vessel.touchdown;
  switch (physics::StanceOf(physics::GroundNormal(
      ToVec3(p[0].pos), ToVec3(p[1].pos), ToVec3(p[2].pos)))) {
    case physics::Stance::kUpright:
      return std::nullopt;
    case physics::Stance::kUpsideDown:
      return std::string(
          "The first three points give a downward normal: the host sets the "
          "vessel upside down");
    case physics::Stance::kNoPlane:
      return "The first three points make no ground plane (" +
             WhyNoGroundPlane(p[0].pos, p[1].pos, p[2].pos) +
             "): the host keeps its old one";
  }
  return std::nullopt;
}

DroppedSet ShowDrop(const standin::VesselOutcome& vessel) {
  return DropSet("", vessel::DroppedVesselOf(vessel.model),
                 ToContactPoints(vessel.touchdown), {},
                 vessel.touchdown_sets > 0);
}

void PrintShowReport(const standin::SessionResult& result,
                     const standin::VesselOutcome& vessel,
                     standin::FileSystem& files, const DroppedSet& drop,
                     std::ostream& out) {
  out << "Vessel " << vessel.name << ", class " << vessel.class_name
      << ", mass " << MassText(vessel, " kg") << "\n\n";
  const auto attempts = TraceLookup(result.file_events, vessel.source);
  PrintLookup(attempts, vessel, out);

  out << "\nHost log (" << result.log.size() << " lines)\n";
  for (const std::string& line : result.log) out << "  " << line << '\n';

  const FileAttempt* applied = nullptr;
  for (const FileAttempt& attempt : attempts) {
    if (attempt.applied) applied = &attempt;
  }
  if (applied != nullptr) PrintCheck(*applied, files, out);
  PrintPoints(vessel, applied, out);
  PrintRestingLoad(vessel, drop, out);
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
  drawing.warning = StanceProblem(vessel).value_or("");
  return DrawTouchdownSvg(drawing);
}

}  // namespace tools
