#include "report/run_report.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <unordered_set>

#include "formats/item_file.h"
#include "formats/number_text.h"
#include "report/account_text.h"
#include "report/body_text.h"
#include "report/passed_over_text.h"
#include "report/text_table.h"

namespace report {

std::string MassText(const standin::VesselOutcome& vessel,
                     const std::string& unit) {
  char number[64];
  std::snprintf(number, sizeof number, "%.10g", vessel.mass);
  const std::string text = number + unit;
  const std::string& from = vessel.model.mass_from;
  if (from.empty() || from == "scenario MASS") return text;
  return text + " (" + from + ")";
}

namespace {

// A vessel there from the start is updated first in the sweep; before it,
// it has its own points whatever the definitions say.
bool AwaitsSweep(const standin::VesselOutcome& vessel, int steps) {
  return steps < standin::kSweepStep && vessel.spawn_step == 0 &&
         vessel.touchdown_sets == 0;
}

std::string Definition(const standin::VesselOutcome& vessel,
                       const analysis::VesselAccount& account, int steps) {
  if (AwaitsSweep(vessel, steps)) {
    return "not yet (the sweep is in step " +
           std::to_string(standin::kSweepStep) + ")";
  }
  // The key's name, then its file, in a column of their own.
  constexpr std::size_t kKeyWidth = 7;
  const std::string passed_over = PassedOverNote(PassedOverKeys(account));
  const analysis::KeyTried* applied = account.Applied();
  if (applied == nullptr) {
    return "none   (kept its own points" +
           (passed_over.empty() ? "" : "; " + passed_over) + ")";
  }
  std::string by = KeyName(applied->by);
  by.resize(kKeyWidth, ' ');
  return by + ShownDefinitionPath(*applied) +
         (passed_over.empty() ? "" : " (" + passed_over + ")");
}

void PrintPoints(const standin::VesselOutcome& vessel, std::ostream& out) {
  out << "  " << vessel.name << ": " << vessel.touchdown.size()
      << " points handed over\n";
  TextTable table({true, true, true, true, true, true, true, true});
  table.AddRow({"#", "x", "y", "z", "stiffness", "damping", "mu", "mu_lng"});
  int index = 1;
  for (const TOUCHDOWNVTX& v : vessel.touchdown) {
    table.AddRow({std::to_string(index++), formats::Fixed(v.pos.x, 3),
                  formats::Fixed(v.pos.y, 3), formats::Fixed(v.pos.z, 3),
                  formats::Fixed(v.stiffness, 3), formats::Fixed(v.damping, 3),
                  formats::Fixed(v.mu, 3), formats::Fixed(v.mu_lng, 3)});
  }
  table.Print(out, "    ");
}

// Where a class-file number came from, in a table that names the file.
std::string FromLine(const std::string& number, const std::string& from,
                     const std::string& file) {
  if (!file.empty() && from.rfind(file + ":", 0) == 0) {
    return number + " (line " + from.substr(file.size() + 1) + ")";
  }
  return number + " (" + from + ")";
}

// What the host reads from each class's file: one row per class, in the
// order the classes first appear.
void PrintClasses(const standin::SessionResult& result, std::ostream& out) {
  out << "\nVessel classes as the host reads their files\n";
  TextTable table({false, false, false, false, false, false});
  table.AddRow({"class", "class file", "propellant (kg)", "size (m)",
                "inertia (m^2)", "own touchdown points"});
  std::unordered_set<std::string> seen;
  std::vector<const standin::VesselOutcome*> modules;
  for (const auto& vessel : result.vessels) {
    if (!seen.insert(formats::FoldCase(vessel.class_name)).second) continue;
    const vessel::VesselModel& m = vessel.model;
    const std::string& file = m.class_file;
    const physics::Vec3& i = m.inertia;
    table.AddRow(
        {vessel.class_name, file.empty() ? "none" : file,
         m.propellant_from.empty() ? "none"
                                   : FromLine(formats::Shortest(m.propellant),
                                              m.propellant_from, file),
         FromLine(formats::Shortest(m.size), m.size_from, file),
         FromLine(formats::Shortest(i.x) + " " + formats::Shortest(i.y) + " " +
                      formats::Shortest(i.z),
                  m.inertia_from, file),
         m.default_points
             ? "the host's default points"
             : FromLine(std::to_string(m.own_points.size()) + " points",
                        m.own_points_from, file)});
    if (m.module_sets_mass) modules.push_back(&vessel);
  }
  table.Print(out, "  ");
  for (const standin::VesselOutcome* vessel : modules) {
    out << "  " << vessel->class_name
        << ": its module (Module = " << vessel->model.module
        << ") sets the mass in code, which a run cannot see; this run uses "
           "the default "
        << formats::Shortest(vessel->model.empty_mass)
        << " kg. Give it with --mass " << vessel->class_name << "=KG.\n";
  }
}

// The gravity on each body a vessel stands on, once per body.
void PrintBodies(const std::vector<analysis::VesselAccount>& accounts,
                 std::ostream& out) {
  std::unordered_set<std::string> seen;
  for (const analysis::VesselAccount& account : accounts) {
    const vessel::VesselBody& body = account.body;
    if (body.state == formats::VesselState::kOrbiting) continue;
    if (!seen.insert(formats::FoldCase(WhereText(body))).second) continue;
    out << "  On " << BodyText(body) << "\n";
  }
}

}  // namespace

std::string LineCount(std::size_t lines) {
  return std::to_string(lines) + (lines == 1 ? " line" : " lines");
}

void PrintRunReport(const standin::SessionResult& result,
                    const std::vector<analysis::VesselAccount>& accounts,
                    int steps, std::ostream& out) {
  out << "Host log (" << LineCount(result.log.size()) << ")\n";
  // Each line under the stage of the run that wrote it.
  auto stage = result.log_stages.begin();
  for (std::size_t i = 0; i < result.log.size(); ++i) {
    const char* name = nullptr;
    for (; stage != result.log_stages.end() && stage->first_line <= i;
         ++stage) {
      name = stage->name.c_str();
    }
    if (name != nullptr) out << "  " << name << ":\n";
    out << "    " << result.log[i] << '\n';
  }

  out << "\nVessels after " << steps << " steps\n";
  TextTable vessels({false, false, false, false, false, true, false});
  vessels.AddRow({"vessel", "class", "mass (kg)", "on", "arrived", "updates",
                  "definition"});
  for (std::size_t i = 0; i < result.vessels.size(); ++i) {
    const standin::VesselOutcome& vessel = result.vessels[i];
    vessels.AddRow({vessel.name, vessel.class_name, MassText(vessel),
                    WhereText(accounts[i].body),
                    vessel.spawn_step == 0
                        ? "at start"
                        : "step " + std::to_string(vessel.spawn_step),
                    std::to_string(vessel.touchdown_sets),
                    Definition(vessel, accounts[i], steps)});
  }
  vessels.Print(out, "  ");
  std::vector<const analysis::KeyTried*> passed_over;
  for (const analysis::VesselAccount& account : accounts) {
    for (const analysis::KeyTried* key : PassedOverKeys(account)) {
      passed_over.push_back(key);
    }
  }
  PrintPassedOver(passed_over, "  ", out);
  PrintBodies(accounts, out);
  PrintClasses(result, out);
  if (std::any_of(
          result.vessels.begin(), result.vessels.end(),
          [&](const auto& vessel) { return AwaitsSweep(vessel, steps); })) {
    out << "  The plug-in updates the vessels present from the start in step "
        << standin::kSweepStep << "; this run stopped after step " << steps
        << ", before any definition could apply to them.\n";
  }

  bool any = false;
  for (const auto& vessel : result.vessels) {
    if (vessel.touchdown_sets == 0) continue;
    out << (any ? "" : "\nTouchdown points handed over (last update)\n");
    any = true;
    PrintPoints(vessel, out);
  }
}

void PrintRunWarnings(const standin::SessionResult& result, std::ostream& err) {
  for (const formats::Problem& warning : result.warnings) {
    err << formats::FormatProblem(warning) << '\n';
  }
}

}  // namespace report
