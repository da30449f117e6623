#include "drop_report.h"

#include <cmath>
#include <cstdio>

#include "number_text.h"
#include "stability.h"
#include "stable_warp.h"
#include "text_table.h"

namespace tools {

namespace {

std::string Number(double value, int decimals) {
  return std::isfinite(value) ? Fixed(value, decimals) : "n/a";
}

std::string Warp(const std::optional<double>& warp) {
  return warp ? "x" + Shortest(*warp) : "none";
}

std::string JsonNumber(double value) {
  if (!std::isfinite(value)) return "null";
  char text[64];
  // Adding 0 turns -0 into 0.
  std::snprintf(text, sizeof text, "%.9g", value + 0.0);
  return text;
}

// A number of the state, or "diverged" when the motion grew without bound.
std::string Settled(const DroppedSet& set, std::string number) {
  return set.result.verdict == physics::Verdict::kUnstable ? "diverged"
                                                           : number;
}

std::string LandedAt(const physics::DropResult& r) {
  return r.landed_at ? Fixed(*r.landed_at, 2) + " s" : "never";
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
        {std::to_string(i + 1), Fixed(p.x, 3), Fixed(p.y, 3), Fixed(p.z, 3),
         Settled(set, Number(r.points[i].depth, 4)),
         Settled(set, Number(100.0 * r.points[i].load_share, 1) + " %")});
  }
  table.Print(out, "  ");
}

}  // namespace

DroppedSet DropSet(std::string label, const physics::DropSetup& setup) {
  DroppedSet set;
  set.label = std::move(label);
  set.setup = setup;
  set.result = physics::RunDrop(setup);
  // The warp a player may raise a vessel at rest to: searched from where
  // the host puts a landed vessel down on the set.
  physics::DropSetup resting = setup;
  resting.start = physics::DropStart::kLanded;
  set.stable_warp = physics::SearchStableWarp(resting);
  set.linear_warp =
      physics::LinearStableWarp(setup.points, setup.body, setup.fps);
  return set;
}

std::string VerdictLine(const DroppedSet& set) {
  const physics::DropResult& r = set.result;
  std::string line = physics::VerdictName(r.verdict);
  if (r.landed_at) line += " (LANDED at " + LandedAt(r) + ")";
  line +=
      "; put down landed, the highest time acceleration at which it "
      "still lands at " +
      Shortest(set.setup.fps) + " fps: " + Warp(set.stable_warp) +
      " (linear estimate x" + Shortest(set.linear_warp) + ")";
  return line;
}

void PrintDropText(const DroppedSet& before, const DroppedSet& after,
                   std::ostream& out) {
  const DroppedSet* sets[] = {&before, &after};
  TextTable table({false, false, false});
  table.AddRow({"", before.label, after.label});
  const auto row = [&](const std::string& name, auto value) {
    table.AddRow({name, value(*sets[0]), value(*sets[1])});
  };
  row("verdict", [](const DroppedSet& s) {
    return std::string(physics::VerdictName(s.result.verdict));
  });
  row("LANDED at", [](const DroppedSet& s) { return LandedAt(s.result); });
  row("CoG height (m)", [](const DroppedSet& s) {
    return Settled(s, Number(s.result.rest_sample.cog_height, 4));
  });
  row("pitch, roll (deg)", [](const DroppedSet& s) {
    return Settled(s, Number(s.result.rest_sample.pitch_deg, 2) + ", " +
                          Number(s.result.rest_sample.roll_deg, 2));
  });
  row("bounces",
      [](const DroppedSet& s) { return std::to_string(s.result.bounces); });
  row("deepest depth (m)", [](const DroppedSet& s) {
    return Settled(s, Number(s.result.max_depth, 4));
  });
  row("highest warp that lands", [](const DroppedSet& s) {
    return Warp(s.stable_warp) + " (linear estimate x" +
           Shortest(s.linear_warp) + ")";
  });
  table.Print(out, "  ");
  for (const DroppedSet* set : sets) PrintPoints(*set, out);
}

void PrintDropJson(const DroppedSet& after, std::ostream& out) {
  const physics::DropResult& r = after.result;
  out << "{\n  \"verdict\": \"" << physics::VerdictName(r.verdict) << "\",\n"
      << "  \"landed_at_s\": "
      << (r.landed_at ? JsonNumber(*r.landed_at) : "null") << ",\n"
      << "  \"rest\": {\"cog_height_m\": "
      << JsonNumber(r.rest_sample.cog_height)
      << ", \"pitch_deg\": " << JsonNumber(r.rest_sample.pitch_deg)
      << ", \"roll_deg\": " << JsonNumber(r.rest_sample.roll_deg) << "},\n"
      << "  \"points\": [";
  for (std::size_t i = 0; i < r.points.size(); ++i) {
    out << (i == 0 ? "\n" : ",\n") << "    {\"index\": " << i + 1
        << ", \"depth_m\": " << JsonNumber(r.points[i].depth)
        << ", \"load_share\": " << JsonNumber(r.points[i].load_share) << "}";
  }
  out << (r.points.empty() ? "],\n" : "\n  ],\n")
      << "  \"bounces\": " << r.bounces << ",\n"
      << "  \"max_depth_m\": " << JsonNumber(r.max_depth) << ",\n"
      << "  \"max_stable_warp\": "
      << (after.stable_warp ? JsonNumber(*after.stable_warp) : "null")
      << "\n}\n";
}

}  // namespace tools
