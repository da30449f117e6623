#include "report/drop_svg.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <sstream>

#include "formats/number_text.h"
#include "physics/rotation.h"
#include "report/grid_step.h"
#include "report/point_labels.h"
#include "report/unwrapped_attitude.h"
#include "report/xml_text.h"

namespace report {

namespace {

constexpr double kWidth = 1000.0;
constexpr double kHeight = 765.0;
constexpr double kChartLeft = 80.0;
constexpr double kChartWidth = 520.0;
constexpr double kChartHeight = 150.0;
constexpr double kChartTop = 90.0;
constexpr double kChartGap = 75.0;
constexpr double kViewLeft = 660.0;
constexpr double kViewSize = 300.0;
// The least height a chart spans, so that a tiny motion is drawn small
// rather than blown up to the chart's full height.
constexpr double kLeastHeightSpan = 0.1;  // m
constexpr double kLeastAngleSpan = 2.0;   // deg

const char* const kGroundStyle = "stroke=\"#8d6e63\" stroke-width=\"3\"";
const char* const kFaultColour = "#c92a2a";

// A tick value as written: its decimals, and never "-0".
std::string Tick(double value, double step) {
  if (std::fabs(value) < step / 1e6) value = 0.0;
  return formats::Fixed(value, Decimals(step));
}

// A curve of one quantity over time on round ticks, spanning at least
// `least`; an unstable run's curve ends at its blow-up, marked.
void DrawChart(std::ostringstream& out, double top, const std::string& name,
               double least, const physics::DropResult& r,
               const std::vector<physics::DropSample>& history,
               const std::function<double(const physics::DropSample&)>& value) {
  double low = 0.0, high = 0.0, end = r.blew_up_at.value_or(0.0);
  bool any = false;
  for (const auto& s : history) {
    const double v = value(s);
    if (!std::isfinite(v)) continue;
    low = any ? std::min(low, v) : v;
    high = any ? std::max(high, v) : v;
    end = std::max(end, s.time);
    any = true;
  }
  if (high - low < least) {
    const double middle = (low + high) / 2.0;
    low = middle - least / 2.0;
    high = middle + least / 2.0;
  }
  const double step = GridStep(high - low);
  // A value a rounding error past a tick does not add another.
  constexpr double kSlack = 1e-9;
  low = std::floor(low / step + kSlack) * step;
  high = std::ceil(high / step - kSlack) * step;
  const double time_step = GridStep(end > 0.0 ? end : 1.0);
  // A run ends with the first frame past its time: a twentieth of a step
  // over a round time does not add a step.
  end = std::max(1.0, std::ceil(end / time_step - 0.05)) * time_step;
  const auto page_x = [&](double t) {
    return kChartLeft + t / end * kChartWidth;
  };
  const auto page_y = [&](double v) {
    return top + (high - v) / (high - low) * kChartHeight;
  };
  out << "<text x=\"" << kChartLeft << "\" y=\"" << top - 10
      << "\" font-weight=\"bold\">" << name << "</text>\n"
      << "<rect x=\"" << kChartLeft << "\" y=\"" << top << "\" width=\""
      << kChartWidth << "\" height=\"" << kChartHeight
      << "\" fill=\"#f8f9fa\" stroke=\"#adb5bd\"/>\n";
  // Ticks by index, so that rounding never adds or drops one.
  const long values = std::lround((high - low) / step);
  for (long i = 0; i <= values; ++i) {
    const double v = low + static_cast<double>(i) * step;
    const std::string y = formats::Fixed(page_y(v), 2);
    out << "<line x1=\"" << kChartLeft << "\" y1=\"" << y << "\" x2=\""
        << kChartLeft + kChartWidth << "\" y2=\"" << y
        << "\" stroke=\"#dee2e6\"/>\n"
        << "<text x=\"" << kChartLeft - 6 << "\" y=\""
        << formats::Fixed(page_y(v) + 4, 2)
        << "\" text-anchor=\"end\" fill=\"#495057\">" << Tick(v, step)
        << "</text>\n";
  }
  const long times = std::lround(end / time_step);
  for (long i = 0; i <= times; ++i) {
    const double t = static_cast<double>(i) * time_step;
    out << "<text x=\"" << formats::Fixed(page_x(t), 2) << "\" y=\""
        << top + kChartHeight + 16
        << "\" text-anchor=\"middle\" fill=\"#495057\">" << Tick(t, time_step)
        << (i == times ? " s" : "") << "</text>\n";
  }
  std::ostringstream points;
  std::size_t drawn = 0;
  for (const auto& s : history) {
    const double v = value(s);
    if (!std::isfinite(v)) continue;
    points << formats::Fixed(page_x(s.time), 2) << ','
           << formats::Fixed(page_y(v), 2) << ' ';
    ++drawn;
  }
  out << "<polyline fill=\"none\" stroke=\"#1c7ed6\" stroke-width=\"1.5\" "
         "points=\""
      << points.str() << "\"/>\n";
  if (drawn == 1) {
    // One frame before the blow-up: a line would draw nothing.
    const auto& s = history.front();
    out << "<circle cx=\"" << formats::Fixed(page_x(s.time), 2) << "\" cy=\""
        << formats::Fixed(page_y(value(s)), 2)
        << "\" r=\"3\" fill=\"#1c7ed6\"/>\n";
  }
  if (r.blew_up_at) {
    const std::string x = formats::Fixed(page_x(*r.blew_up_at), 2);
    out << "<line x1=\"" << x << "\" y1=\"" << top << "\" x2=\"" << x
        << "\" y2=\"" << top + kChartHeight << "\" stroke=\"" << kFaultColour
        << "\" stroke-width=\"2\" stroke-dasharray=\"5 3\"/>\n"
        << "<text x=\"" << x << "\" y=\"" << top + 16
        << "\" text-anchor=\"end\" fill=\"" << kFaultColour
        << "\" stroke=\"white\" stroke-width=\"3\" paint-order=\"stroke\">"
           "blew up at "
        << formats::Shortest(*r.blew_up_at) << " s </text>\n";
  }
}

// The vessel in `state` seen along one ground axis: `right` picks the
// ground axis drawn to the right (0 x, 2 z).
void DrawVessel(std::ostringstream& out, double top, const std::string& name,
                int right, const physics::BodyState& state,
                const DroppedSet& set) {
  std::vector<physics::Vec3> ground;
  // The CoG, the points and the ground all in view, at one scale.
  double wide = 1.0;
  double low = std::min(0.0, state.position.y);
  double high = std::max(0.0, state.position.y);
  for (const auto& p : set.setup.points) {
    const physics::Vec3 g =
        state.position + physics::ToGround(state.attitude, p.pos);
    ground.push_back(g);
    const double r =
        right == 0 ? g.x - state.position.x : g.z - state.position.z;
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
    const double r =
        right == 0 ? g.x - state.position.x : g.z - state.position.z;
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
  const double cog_y = page_y(state.position.y);
  if (!std::isfinite(cog_y)) return;
  std::vector<PagePoint> points;
  std::vector<PageBox> marks{{cog_x - 7, cog_y - 7, cog_x + 7, cog_y + 7}};
  for (std::size_t i = 0; i < ground.size(); ++i) {
    const double x = page_x(ground[i]);
    const double y = page_y(ground[i].y);
    if (!std::isfinite(x) || !std::isfinite(y)) continue;
    const char* colour = i < 3 ? "#d9480f" : "#1c7ed6";
    out << "<line x1=\"" << formats::Fixed(cog_x, 2) << "\" y1=\""
        << formats::Fixed(cog_y, 2) << "\" x2=\"" << formats::Fixed(x, 2)
        << "\" y2=\"" << formats::Fixed(y, 2) << "\" stroke=\"#868e96\"/>\n"
        << "<circle cx=\"" << formats::Fixed(x, 2) << "\" cy=\""
        << formats::Fixed(y, 2) << "\" r=\"4\" fill=\"" << colour << "\"/>\n";
    points.push_back({x, y, i + 1});
    marks.push_back({x - 4, y - 4, x + 4, y + 4});
  }
  out << "<circle cx=\"" << formats::Fixed(cog_x, 2) << "\" cy=\""
      << formats::Fixed(cog_y, 2)
      << "\" r=\"6\" fill=\"white\" stroke=\"black\" stroke-width=\"2\"/>\n";
  const PageBox plot{kViewLeft + 2, top + 2, kViewLeft + kViewSize - 2,
                     top + kViewSize - 2};
  out << LabelPoints(points, marks, plot).svg;
}

}  // namespace

std::string DrawDropSvg(const DropTitle& title, const DroppedSet& set) {
  const physics::DropResult& r = set.result;
  std::ostringstream out;
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << kWidth
      << "\" height=\"" << kHeight << "\" viewBox=\"0 0 " << kWidth << ' '
      << kHeight << "\" font-family=\"sans-serif\" font-size=\"13\">\n"
      << "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n"
      << "<text x=\"20\" y=\"28\" font-size=\"17\" font-weight=\"bold\">"
      << XmlText(title.vessel + ": " + title.mass + "; " + title.body + "; x" +
                 formats::Shortest(set.setup.warp) + " at " +
                 formats::Shortest(set.setup.fps) + " fps")
      << "</text>\n"
      << "<text x=\"20\" y=\"48\">" << XmlText(VerdictLine(set)) << "</text>\n";
  std::string state = r.at_rest ? "at rest" : "at the end";
  const physics::BodyState* shown = &r.rest;
  if (r.blew_up_at) {
    const double last = r.history.back().time;
    out << "<text x=\"20\" y=\"66\" fill=\"" << kFaultColour
        << "\">The motion blew up in the frame that ended at "
        << formats::Shortest(*r.blew_up_at)
        << " s; the graphs end there, and the views show the vessel at "
        << formats::Shortest(last) << " s, the last frame before it.</text>\n";
    state = "at " + formats::Shortest(last) + " s";
    shown = &r.before_blow_up;
  }
  const std::vector<physics::DropSample> history = UnwrappedAttitude(r.history);
  const double pitch_top = kChartTop + 20 + kChartHeight + kChartGap;
  DrawChart(out, kChartTop + 20, "CoG height above the ground (m)",
            kLeastHeightSpan, r, history,
            [](const physics::DropSample& s) { return s.cog_height; });
  DrawChart(out, pitch_top, "pitch (deg, nose up)", kLeastAngleSpan, r, history,
            [](const physics::DropSample& s) { return s.pitch_deg; });
  DrawChart(out, pitch_top + kChartHeight + kChartGap,
            "roll (deg, right side down)", kLeastAngleSpan, r, history,
            [](const physics::DropSample& s) { return s.roll_deg; });
  DrawVessel(out, kChartTop + 20, "side view " + state + " (z right, y up)", 2,
             *shown, set);
  DrawVessel(out, kChartTop + 40 + kViewSize,
             "rear view " + state + " (x right, y up)", 0, *shown, set);
  out << "<text x=\"20\" y=\"" << kHeight - 12
      << "\">Each graph spans at least " << formats::Shortest(kLeastHeightSpan)
      << " m or " << formats::Shortest(kLeastAngleSpan)
      << " deg; pitch and roll run on past a half turn.</text>\n"
      << "<text x=\"" << kViewLeft << "\" y=\"" << kHeight - 12
      << "\">brown: the ground; white: the CoG; red: points 1-3</text>\n"
      << "</svg>\n";
  return out.str();
}

}  // namespace report
