#include "run_report.h"

#include <string>

#include "number_text.h"
#include "text_table.h"

namespace tools {

namespace {

std::string Mass(const standin::VesselOutcome& vessel) {
  const std::string text = Shortest(vessel.mass);
  return vessel.mass_given ? text : text + " (default)";
}

std::string Definition(const standin::VesselOutcome& vessel) {
  using Kind = standin::TouchdownSource::Kind;
  switch (vessel.source.kind) {
    case Kind::kName:
      return "name   Config" + vessel.source.file;
    case Kind::kClass:
      return "class  Config" + vessel.source.file;
    case Kind::kOwn:
      break;
  }
  return "none   (kept its own points)";
}

void PrintPoints(const standin::VesselOutcome& vessel, std::ostream& out) {
  out << "  " << vessel.name << ": " << vessel.touchdown.size()
      << " points handed over\n";
  TextTable table({true, true, true, true, true, true, true, true});
  table.AddRow({"#", "x", "y", "z", "stiffness", "damping", "mu", "mu_lng"});
  int index = 1;
  for (const TOUCHDOWNVTX& v : vessel.touchdown) {
    table.AddRow({std::to_string(index++), Fixed(v.pos.x, 3), Fixed(v.pos.y, 3),
                  Fixed(v.pos.z, 3), Fixed(v.stiffness, 3), Fixed(v.damping, 3),
                  Fixed(v.mu, 3), Fixed(v.mu_lng, 3)});
  }
  table.Print(out, "    ");
}

}  // namespace

void PrintRunReport(const standin::SessionResult& result, int steps,
                    std::ostream& out) {
  out << "Host log (" << result.log.size() << " lines)\n";
  for (const std::string& line : result.log) out << "  " << line << '\n';

  out << "\nVessels after " << steps << " steps\n";
  TextTable vessels({false, false, true, false, true, false});
  vessels.AddRow(
      {"vessel", "class", "mass (kg)", "arrived", "updates", "definition"});
  for (const auto& vessel : result.vessels) {
    vessels.AddRow({vessel.name, vessel.class_name, Mass(vessel),
                    vessel.spawn_step == 0
                        ? "at start"
                        : "step " + std::to_string(vessel.spawn_step),
                    std::to_string(vessel.touchdown_sets), Definition(vessel)});
  }
  vessels.Print(out, "  ");

  bool any = false;
  for (const auto& vessel : result.vessels) {
    if (vessel.touchdown_sets == 0) continue;
    out << (any ? "" : "\nTouchdown points handed over (last update)\n");
    any = true;
    PrintPoints(vessel, out);
  }
}

}  // namespace tools
