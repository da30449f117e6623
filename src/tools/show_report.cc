#include "show_report.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "lookup_trace.h"
#include "point_values.h"
#include "resting_load.h"
#include "run_report.h"
#include "text_table.h"
#include "vantrel.h"

namespace {

using Result = standin::ItemFile::Lookup::Result;

// A value as `vantrel run` prints it.
std::string Fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

// A derived value, which need not exist.
std::string Derived(double value, int decimals) {
  return std::isfinite(value) ? Fixed(value, decimals) : "n/a";
}

std::string Shortest(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

std::string FileName(const std::string& disk_path) {
  return std::filesystem::path(disk_path).filename().string();
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
  if (n < 3) return given + ": fewer than 3 points, does not count";
  if (n > Vantrel::kMaxPoints) {
    return given + ": more than " + std::to_string(Vantrel::kMaxPoints) +
           " points, ignored";
  }
  return attempt.applied ? given + ": applied" : given;
}

void PrintLookup(const std::vector<FileAttempt>& attempts,
                 const standin::VesselOutcome& vessel, std::ostream& out) {
  out << "Lookup, as the plug-in did it\n";
  TextTable table({false, false, false});
  for (std::size_t i = 0; i < attempts.size(); ++i) {
    table.AddRow({i == 0 ? "name" : "class", "Config" + attempts[i].path,
                  Outcome(attempts[i])});
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
      row.push_back("the vessel's own");
      table.AddRow(row);
      continue;
    }
    const PointOrigin& origin = applied->points[i];
    const PointValues file = ReadPointValues(origin.text);
    for (std::size_t k = 0; k < 7; ++k) {
      const bool changed = !Same(handed[k], file.At(k));
      row.push_back(Fixed(handed[k], 3) + (changed ? "*" : " "));
      if (!changed) continue;
      if (k == 3 || k == 4) changes.springs = true;
      if (k == 5 || (k == 6 && !(i >= 3 && Same(v.mu_lng, v.mu)))) {
        changes.friction = true;
      }
      if (k == 6 && i >= 3 && Same(v.mu_lng, v.mu)) {
        changes.copied_mu = true;
        if (file.values.size() == PointValues::kMaxValues) {
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
           "stiffness or damping is 0: k = m * 9.81, c = 0.95 * 2 * "
           "sqrt(m * k), for every point\n";
  }
  if (changes.friction) {
    out << "    mu, mu_lng: completion, because the first point's lateral "
           "friction is 0: 3.0 for every point\n";
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

void PrintRestingLoad(const standin::VesselOutcome& vessel, std::ostream& out) {
  out << "\nResting on points 1-3 under the weight "
      << Shortest(vessel.mass * kGravity) << " N (" << Shortest(vessel.mass)
      << " kg x " << kGravity << " m/s^2)\n";
  if (vessel.touchdown.size() < 3) return;
  const RestingLoad load = ComputeRestingLoad(vessel.touchdown, vessel.mass);
  if (load.outcome == RestingLoad::Outcome::kNoTriangle) {
    out << "  Seen from above, the first three points lie in a line: they "
           "cannot carry the vessel.\n";
    return;
  }
  TextTable table({true, true, true, true, true, true});
  table.AddRow({"#", "load (N)", "share", "compression (m)",
                "origin height (m)", "damping ratio"});
  for (std::size_t i = 0; i < 3; ++i) {
    const ContactLoad& c = load.contacts[i];
    table.AddRow({std::to_string(i + 1), Derived(c.force, 1),
                  Derived(100.0 * c.force / (vessel.mass * kGravity), 1) + " %",
                  Derived(c.compression, 4), Derived(c.origin_height, 4),
                  Derived(c.damping_ratio, 3)});
  }
  table.Print(out, "  ");
  if (load.outcome == RestingLoad::Outcome::kTips) {
    out << "  A negative load: the centre of mass lies outside the triangle "
           "of points 1-3, seen from above; the vessel tips over.\n";
  } else {
    out << "  The origin stands " << Derived(load.origin_height, 4)
        << " m above the ground (the mean of the three).\n";
  }
  out << "  Model: a rigid vessel upright on level ground, the centre of mass "
         "at the origin, each of points 1-3 a vertical linear spring; loads "
         "from the balance of forces and of moments about x and z; "
         "compression = load / stiffness; origin height = -y - compression; "
         "damping ratio = c / (2 sqrt(k * load / g)). Other points and "
         "friction are left out.\n";
}

}  // namespace

std::optional<double> RestingOriginHeight(
    const standin::VesselOutcome& vessel) {
  if (vessel.touchdown.size() < 3) return std::nullopt;
  const RestingLoad load = ComputeRestingLoad(vessel.touchdown, vessel.mass);
  if (load.outcome != RestingLoad::Outcome::kStands) return std::nullopt;
  return load.origin_height;
}

void PrintShowReport(const standin::SessionResult& result,
                     const standin::VesselOutcome& vessel, std::ostream& out) {
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
  PrintPoints(vessel, applied, out);
  PrintRestingLoad(vessel, out);
}
