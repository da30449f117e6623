#include "drop_svg.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <sstream>

#include "number_text.h"
#include "rotation.h"
#include "xml_text.h"

namespace tools {

namespace {

constexpr double kWidth = 1000.0;
constexpr double kHeight = 720.0;
constexpr double kChartLeft = 80.0;
constexpr double kChartWidth = 520.0;
constexpr double kChartHeight = 150.0;
constexpr double kChartTop = 70.0;
constexpr double kChartGap = 70.0;
constexpr double kViewLeft = 660.0;
constexpr double kViewSize = 300.0;

const char* const kGroundStyle = "stroke=\"#8d6e63\" stroke-width=\"3\"";

// A curve of one quantity over time, with its range written beside it.
void DrawChart(std::ostringstream& out, double top, const std::string& name,
               const std::vector<physics::DropSample>& history,
               const std::function<double(const physics::DropSample&)>& value) {
  double low = 0.0, high = 0.0, end = 0.0;
  bool any = false;
  for (const auto& s : history) {
    const double v = value(s);
    if (!std::isfinite(v)) continue;
    low = any ? std::min(low, v) : v;
    high = any ? std::max(high, v) : v;
    end = std::max(end, s.time);
    any = true;
  }
  if (!(high - low > 1e-9)) {
    low -= 0.5;
    high += 0.5;
  }
  if (!(end > 0.0)) end = 1.0;
  out << "<text x=\"" << kChartLeft << "\" y=\"" << top - 10
      << "\" font-weight=\"bold\">" << name << "</text>\n"
      << "<rect x=\"" << kChartLeft << "\" y=\"" << top << "\" width=\""
      << kChartWidth << "\" height=\"" << kChartHeight
      << "\" fill=\"#f8f9fa\" stroke=\"#adb5bd\"/>\n"
      << "<text x=\"" << kChartLeft - 6 << "\" y=\"" << top + 12
      << "\" text-anchor=\"end\">" << Shortest(high) << "</text>\n"
      << "<text x=\"" << kChartLeft - 6 << "\" y=\"" << top + kChartHeight
      << "\" text-anchor=\"end\">" << Shortest(low) << "</text>\n"
      << "<text x=\"" << kChartLeft + kChartWidth << "\" y=\""
      << top + kChartHeight + 16 << "\" text-anchor=\"end\">" << Fixed(end, 1)
      << " s</text>\n"
      << "<polyline fill=\"none\" stroke=\"#1c7ed6\" stroke-width=\"1.5\" "
         "points=\"";
  for (const auto& s : history) {
    const double v = value(s);
    if (!std::isfinite(v)) continue;
    out << Fixed(kChartLeft + s.time / end * kChartWidth, 2) << ','
        << Fixed(top + (high - v) / (high - low) * kChartHeight, 2) << ' ';
  }
  out << "\"/>\n";
}

// The vessel at rest seen along one ground axis: `right` picks the ground
// axis drawn to the right (0 x, 2 z).
void DrawRest(std::ostringstream& out, double top, const char* name, int right,
              const DroppedSet& set) {
  const physics::BodyState& rest = set.result.rest;
  std::vector<physics::Vec3> ground;
  // The CoG, the points and the ground all in view, at one scale.
  double wide = 1.0;
  double low = std::min(0.0, rest.position.y);
  double high = std::max(0.0, rest.position.y);
  for (const auto& p : set.setup.points) {
    const physics::Vec3 g =
        rest.position + physics::ToGround(rest.attitude, p.pos);
    ground.push_back(g);
    const double r = right == 0 ? g.x - rest.position.x : g.z - rest.position.z;
    if (std::isfinite(r) && std::isfinite(g.y)) {
      wide = std::max(wide, 2.0 * std::fabs(r));
      low = std::min(low, g.y);
      high = std::max(high, g.y);
    }
  }
  if (!std::isfinite(low) || !std::isfinite(high)) low = high = 0.0;
  const double scale = kViewSize / (1.3 * std::max(wide, high - low));
  const double middle = (low + high) / 2;
  const double cx = kViewLeft + kViewSize / 2;
  const auto page_x = [&](const physics::Vec3& g) {
    const double r = right == 0 ? g.x - rest.position.x : g.z - rest.position.z;
    return cx + r * scale;
  };
  const auto page_y = [&](double y) {
    return top + kViewSize / 2 - (y - middle) * scale;
  };
  const double ground_y = page_y(0.0);
  out << "<text x=\"" << kViewLeft << "\" y=\"" << top - 10
      << "\" font-weight=\"bold\">" << name << "</text>\n"
      << "<rect x=\"" << kViewLeft << "\" y=\"" << top << "\" width=\""
      << kViewSize << "\" height=\"" << kViewSize
      << "\" fill=\"#f8f9fa\" stroke=\"#adb5bd\"/>\n"
      << "<line x1=\"" << kViewLeft << "\" y1=\"" << ground_y << "\" x2=\""
      << kViewLeft + kViewSize << "\" y2=\"" << ground_y << "\" "
      << kGroundStyle << "/>\n";
  const double cog_x = cx;
  const double cog_y = page_y(rest.position.y);
  if (!std::isfinite(cog_y)) return;
  for (std::size_t i = 0; i < ground.size(); ++i) {
    const double x = page_x(ground[i]);
    const double y = page_y(ground[i].y);
    if (!std::isfinite(x) || !std::isfinite(y)) continue;
    const char* colour = i < 3 ? "#d9480f" : "#1c7ed6";
    out << "<line x1=\"" << Fixed(cog_x, 2) << "\" y1=\"" << Fixed(cog_y, 2)
        << "\" x2=\"" << Fixed(x, 2) << "\" y2=\"" << Fixed(y, 2)
        << "\" stroke=\"#868e96\"/>\n"
        << "<circle cx=\"" << Fixed(x, 2) << "\" cy=\"" << Fixed(y, 2)
        << "\" r=\"4\" fill=\"" << colour << "\"/>\n";
    if (ground.size() <= 12) {
      out << "<text x=\"" << Fixed(x + 6, 2) << "\" y=\"" << Fixed(y - 6, 2)
          << "\" font-size=\"12\">" << i + 1 << "</text>\n";
    }
  }
  out << "<circle cx=\"" << Fixed(cog_x, 2) << "\" cy=\"" << Fixed(cog_y, 2)
      << "\" r=\"6\" fill=\"white\" stroke=\"black\" stroke-width=\"2\"/>\n";
}

}  // namespace

std::string DrawDropSvg(const std::string& title, const DroppedSet& set) {
  const physics::DropResult& r = set.result;
  std::ostringstream out;
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << kWidth
      << "\" height=\"" << kHeight << "\" viewBox=\"0 0 " << kWidth << ' '
      << kHeight << "\" font-family=\"sans-serif\" font-size=\"13\">\n"
      << "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n"
      << "<text x=\"20\" y=\"28\" font-size=\"17\" font-weight=\"bold\">"
      << XmlText(title) << "</text>\n"
      << "<text x=\"20\" y=\"48\">" << XmlText(VerdictLine(set)) << "</text>\n";
  DrawChart(out, kChartTop + 20, "CoG height above the ground (m)", r.history,
            [](const physics::DropSample& s) { return s.cog_height; });
  DrawChart(out, kChartTop + 20 + kChartHeight + kChartGap,
            "pitch (deg, nose up)", r.history,
            [](const physics::DropSample& s) { return s.pitch_deg; });
  DrawChart(out, kChartTop + 20 + 2 * (kChartHeight + kChartGap),
            "roll (deg, right side down)", r.history,
            [](const physics::DropSample& s) { return s.roll_deg; });
  const char* state = r.at_rest ? "at rest" : "at the end";
  DrawRest(out, kChartTop + 20,
           (std::string("side view ") + state + " (z right, y up)").c_str(), 2,
           set);
  DrawRest(out, kChartTop + 40 + kViewSize,
           (std::string("rear view ") + state + " (x right, y up)").c_str(), 0,
           set);
  out << "<text x=\"" << kViewLeft << "\" y=\"" << kHeight - 12
      << "\">brown: the ground; white: the CoG; red: points 1-3</text>\n"
      << "</svg>\n";
  return out.str();
}

}  // namespace tools
