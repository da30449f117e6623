#include "analysis/cog_hold_check.h"

#include <string>

#include "formats/number_text.h"
#include "vessel/primary_triangle.h"

namespace analysis {

namespace {

std::string Point(std::size_t index) { return std::to_string(index + 1); }

// "the edge from point 2 to point 3", the edge that point `opposite` does
// not lie on.
std::string Edge(int opposite) {
  return "the edge from point " + Point((opposite + 1) % 3) + " to point " +
         Point((opposite + 2) % 3);
}

// What to do instead: the three points of the file that hold the CoG
// best, when they hold it better than points 1-3 do.
std::string Instead(const std::vector<physics::Vec3>& points,
                    const vessel::PrimaryHold& now) {
  const auto best = vessel::ChoosePrimary(points);
  if (!best || best->hold.margin <= now.margin + vessel::kLengthTie) {
    return "no three points of the file hold it better: move points 1-3 so "
           "that their triangle surrounds the CoG";
  }
  const auto& i = best->index;
  return "points " + Point(i[0]) + ", " + Point(i[1]) + " and " + Point(i[2]) +
         " hold it " + formats::Fixed(best->hold.margin, 3) +
         " m inside their triangle: make them POINT_1, POINT_2 and POINT_3, "
         "in that order";
}

}  // namespace

std::optional<Diagnostic> CheckCogHold(
    std::string_view file, int line, const std::vector<physics::Vec3>& points) {
  const auto hold = vessel::HoldOf(points[0], points[1], points[2]);
  if (!hold || hold->Holds()) return std::nullopt;
  std::string message;
  if (hold->margin < 0.0) {
    message =
        "the CoG lies outside triangle 1-2-3: along the triangle's "
        "normal it falls " +
        formats::Fixed(-hold->margin, 3) + " m beyond " + Edge(hold->edge) +
        ", so the vessel standing on points 1-3 tips over that edge, "
        "and where the host sets a landed vessel down point " +
        Point(hold->edge) + " takes " +
        formats::Fixed(100.0 * hold->shares[hold->edge], 1) +
        " % of its weight; ";
  } else {
    message = "the CoG lies too near " + Edge(hold->edge) +
              ": along the normal of triangle 1-2-3 it falls " +
              formats::Fixed(hold->margin, 3) + " m inside that edge and " +
              formats::Fixed(hold->height, 3) +
              " m above the triangle, so the vessel standing on points 1-3 "
              "tips over at a lean of " +
              formats::Fixed(hold->TipAngle(), 2) + " degrees (less than " +
              formats::Shortest(vessel::kLeastTipAngle) + "); ";
  }
  message += Instead(points, *hold);
  return Diagnostic{std::string(file),  line,          1, Severity::kWarning,
                    std::move(message), "cog-not-held"};
}

}  // namespace analysis
