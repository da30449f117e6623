#include "report/slope_text.h"

#include <cmath>

#include "formats/number_text.h"
#include "report/text_table.h"

namespace report {

namespace {

constexpr double kDegreesPerRadian = 180.0 / 3.14159265358979323846;

std::string Degrees(double deg) { return formats::Fixed(deg, 2) + " deg"; }

// The creep's speed in the plane of the host's normal (mm/s).
double Speed(const slope::Creep& creep) {
  return std::hypot(creep.along_mm_s, creep.across_mm_s);
}

// "comes to rest on slopes up to 0.12 deg".
std::string RestsText(const slope::FreezingSlope& rests) {
  if (!rests.slope_deg) return "does not come to rest even on flat ground";
  if (rests.steeper_than_tried) {
    return "comes to rest on every slope up to " + Degrees(*rests.slope_deg);
  }
  return "comes to rest on slopes up to " + Degrees(*rests.slope_deg);
}

// "creeps 45.3 mm/s on 5 deg".
std::string CreepText(const slope::Creep& creep, double angle_deg) {
  const std::string on = " on " + formats::Shortest(angle_deg) + " deg";
  if (creep.unstable) return "unstable" + on;
  if (creep.landed_at_s) {
    return "rests" + on + " (LANDED at " +
           formats::Fixed(*creep.landed_at_s, 2) + " s)";
  }
  if (creep.slides) {
    return "slides" + on + ", still speeding up after " +
           formats::Fixed(creep.seconds, 0) + " s";
  }
  std::string text =
      "creeps " + MillimetresPerSecond(Speed(creep)) + " mm/s" + on;
  if (!creep.settled) text += ", not yet steady";
  return text;
}

// The rows' cells for one set.
std::string LandedCell(const slope::SlopeAnswer& a) {
  if (a.creep.unstable) return "unstable";
  if (a.creep.landed_at_s)
    return "at " + formats::Fixed(*a.creep.landed_at_s, 2) + " s";
  return "never in " + formats::Fixed(a.creep.seconds, 0) + " s";
}

std::string CreepCell(const slope::SlopeAnswer& a) {
  if (a.creep.unstable) return "unstable";
  std::string text = MillimetresPerSecond(a.creep.along_mm_s) + ", " +
                     MillimetresPerSecond(a.creep.across_mm_s);
  if (a.creep.slides) return text + " at the end, still speeding up: slides";
  if (!a.creep.settled) text += " at the end, not yet steady";
  return text;
}

std::string HourCell(const slope::SlopeAnswer& a) {
  if (a.creep.drift_per_hour_m) {
    const double metres = *a.creep.drift_per_hour_m;
    return metres >= 1000.0 ? formats::Fixed(metres / 1000.0, 1) + " km"
                            : formats::Fixed(metres, 1) + " m";
  }
  if (a.creep.landed_at_s) return "none: it comes to rest";
  if (a.creep.slides) return "slides on";
  return "-";
}

std::string RestsCell(const slope::SlopeAnswer& a) {
  if (!a.rests.slope_deg) return "none, not even flat ground";
  return (a.rests.steeper_than_tried ? "every slope up to " : "") +
         Degrees(*a.rests.slope_deg) + " (to " +
         formats::Shortest(a.rests.step_deg) + " deg)";
}

std::string TipCell(const slope::SlopeAnswer& a) {
  if (!a.tip.stands) return "does not stand on flat ground";
  return Degrees(a.tip.slope_deg) + "; at worst " +
         Degrees(a.tip.worst_slope_deg) + ", downhill " +
         formats::Shortest(std::round(a.tip.worst_downhill_deg)) +
         " deg from the nose";
}

}  // namespace

std::string MillimetresPerSecond(double mm_s) {
  const double size = std::fabs(mm_s);
  return formats::Fixed(mm_s, size >= 100.0 ? 0 : size >= 10.0 ? 1 : 2);
}

std::string SlopeLine(const slope::SlopeAnswer& answer) {
  return RestsText(answer.rests) + "; " +
         CreepText(answer.creep, answer.slope.angle_deg);
}

void PrintSlopeText(const DroppedSet& before, const DroppedSet& after,
                    std::ostream& out) {
  if (!before.slope || !after.slope) return;
  const physics::Slope& slope = after.slope->slope;
  const double normal_deg =
      std::atan(slope.kappa * std::tan(slope.angle_deg / kDegreesPerRadian)) *
      kDegreesPerRadian;
  out << "\nOn a slope of " << formats::Shortest(slope.angle_deg)
      << " deg, downhill " << formats::Shortest(slope.downhill_deg)
      << " deg from the nose towards the right side; the host's normal leans "
      << formats::Fixed(normal_deg, 2) << " deg (kappa "
      << formats::Shortest(slope.kappa) << ")\n";
  const slope::SlopeAnswer* const answers[] = {&*before.slope, &*after.slope};
  TextTable table({false, false, false});
  table.AddRow({"", before.label, after.label});
  const auto row = [&](const std::string& name, auto cell) {
    table.AddRow({name, cell(*answers[0]), cell(*answers[1])});
  };
  row("comes to rest (LANDED)", LandedCell);
  row("creep along, across (mm/s)", CreepCell);
  row("moves in an hour", HourCell);
  row("rests at x1 on slopes up to", RestsCell);
  row("tips over at", TipCell);
  table.Print(out, "  ");
  out << "  The creep is the CoG's, once steady, along the host's friction "
         "axes (forwards, to the right). The host has no static friction: it "
         "freezes a vessel only when it creeps slower than about 30 mm/s for "
         "5 s. Higher friction coefficients slow the creep as their square.\n";
}

}  // namespace report
