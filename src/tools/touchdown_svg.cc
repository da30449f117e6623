#include "touchdown_svg.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <sstream>
#include <utility>

#include "number_text.h"

namespace tools {

namespace {

constexpr double kPlotSize = 300.0;  // px, square plot of each view
constexpr double kPanelWidth = 400.0;
constexpr double kPlotLeft = 70.0;  // px from the panel's left edge
constexpr double kPlotTop = 90.0;
constexpr double kWidth = 3 * kPanelWidth;
constexpr double kHeight = 540.0;

const char* const kPrimaryColour = "#d9480f";
const char* const kOtherColour = "#1c7ed6";
const char* const kGroundStyle =
    "stroke=\"#8d6e63\" stroke-width=\"2\" stroke-dasharray=\"6 4\"";

// Text safe inside an XML element or attribute. Bytes beyond ASCII become
// '?', so that the document stays valid UTF-8 whatever a name holds.
std::string XmlText(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (c == '&') {
      escaped += "&amp;";
    } else if (c == '<') {
      escaped += "&lt;";
    } else if (c == '>') {
      escaped += "&gt;";
    } else if (c == '"') {
      escaped += "&quot;";
    } else if (byte < 0x20 || byte >= 0x7F) {
      escaped += '?';
    } else {
      escaped += c;
    }
  }
  return escaped;
}

// The decimals that show every multiple of a grid step exactly.
int Decimals(double step) {
  return std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
}

bool Finite(const VECTOR3& p) {
  return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

// A grid step of 1, 2 or 5 times a power of ten, about a fifth of `span`.
double GridStep(double span) {
  const double rough = span / 5.0;
  const double power = std::pow(10.0, std::floor(std::log10(rough)));
  for (double factor : {1.0, 2.0, 5.0}) {
    if (factor * power >= rough) return factor * power;
  }
  return 10.0 * power;
}

struct Range {
  double low = 0.0;
  double high = 0.0;
  void Include(double value) {
    low = std::min(low, value);
    high = std::max(high, value);
  }
  double Middle() const { return (low + high) / 2.0; }
};

// One of the three views: which coordinates go right and up.
struct View {
  const char* title;
  const char* right_label;
  const char* up_label;
  int right;  // 0 x, 1 y, 2 z
  int up;
};

class SvgWriter {
 public:
  explicit SvgWriter(const TouchdownDrawing& drawing) : drawing_(drawing) {
    for (const TOUCHDOWNVTX& v : drawing_.points) {
      if (!Finite(v.pos)) continue;
      for (int axis = 0; axis < 3; ++axis)
        ranges_[axis].Include(v.pos.data[axis]);
    }
    if (drawing_.origin_height && std::isfinite(*drawing_.origin_height)) {
      ranges_[1].Include(-*drawing_.origin_height);
    }
    double span = 1.0;
    for (const Range& range : ranges_)
      span = std::max(span, range.high - range.low);
    span *= 1.3;  // room around the outermost points and their labels
    scale_ = kPlotSize / span;
    step_ = GridStep(span);
  }

  std::string Write() {
    out_ << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << kWidth
         << "\" height=\"" << kHeight << "\" viewBox=\"0 0 " << kWidth << ' '
         << kHeight << "\" font-family=\"sans-serif\" font-size=\"13\">\n"
         << "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n"
         << "<text x=\"20\" y=\"32\" font-size=\"18\" font-weight=\"bold\">"
         << XmlText(drawing_.title) << "</text>\n";
    if (!drawing_.warning.empty()) {
      out_ << "<text x=\"20\" y=\"54\" fill=\"#c92a2a\" font-weight=\"bold\">"
           << XmlText(drawing_.warning) << "</text>\n";
    }
    const View views[] = {
        {"Top view (x-z), looking down", "x (m), right", "z (m), forward", 0,
         2},
        {"Side view (z-y), from the right", "z (m), forward", "y (m), up", 2,
         1},
        {"Front view (x-y), from behind", "x (m), right", "y (m), up", 0, 1},
    };
    for (int i = 0; i < 3; ++i) DrawView(views[i], i * kPanelWidth);
    DrawLegend();
    out_ << "</svg>\n";
    return out_.str();
  }

 private:
  // Page position of a coordinate pair in a view whose panel starts at
  // `left`.
  double PageX(const View& view, double left, double value) const {
    return left + kPlotLeft + kPlotSize / 2 +
           (value - ranges_[view.right].Middle()) * scale_;
  }
  double PageY(const View& view, double value) const {
    return kPlotTop + kPlotSize / 2 -
           (value - ranges_[view.up].Middle()) * scale_;
  }

  void DrawView(const View& view, double left) {
    const double x0 = left + kPlotLeft;
    const double x1 = x0 + kPlotSize;
    const double y0 = kPlotTop;
    const double y1 = y0 + kPlotSize;
    out_ << "<g>\n<text x=\"" << x0 << "\" y=\"" << y0 - 16
         << "\" font-size=\"15\" font-weight=\"bold\">" << view.title
         << "</text>\n"
         << "<rect x=\"" << x0 << "\" y=\"" << y0 << "\" width=\"" << kPlotSize
         << "\" height=\"" << kPlotSize
         << "\" fill=\"#f8f9fa\" stroke=\"#adb5bd\"/>\n";
    DrawGrid(view, left, x0, x1, y0, y1);
    if (view.up == 1 && drawing_.origin_height &&
        std::isfinite(*drawing_.origin_height)) {
      const double ground = PageY(view, -*drawing_.origin_height);
      out_ << "<line x1=\"" << x0 << "\" y1=\"" << ground << "\" x2=\"" << x1
           << "\" y2=\"" << ground << "\" " << kGroundStyle << "/>\n";
    }
    DrawTriangle(view, left);
    DrawCentreOfMass(PageX(view, left, 0.0), PageY(view, 0.0));
    DrawPoints(view, left);
    out_ << "<text x=\"" << (x0 + x1) / 2 << "\" y=\"" << y1 + 40
         << "\" text-anchor=\"middle\">" << view.right_label << "</text>\n"
         << "<text transform=\"translate(" << x0 - 48 << ' ' << (y0 + y1) / 2
         << ") rotate(-90)\" text-anchor=\"middle\">" << view.up_label
         << "</text>\n</g>\n";
  }

  void DrawGrid(const View& view, double left, double x0, double x1, double y0,
                double y1) {
    const double half = kPlotSize / 2 / scale_;
    const auto lines = [&](int axis, bool vertical) {
      const double middle = ranges_[axis].Middle();
      for (double v = std::ceil((middle - half) / step_) * step_;
           v <= middle + half; v += step_) {
        const double value = std::fabs(v) < step_ / 1e6 ? 0.0 : v;
        const char* colour = value == 0.0 ? "#495057" : "#dee2e6";
        const char* width = value == 0.0 ? "1.5" : "1";
        const std::string number = Fixed(value, Decimals(step_));
        if (vertical) {
          const double x = PageX(view, left, value);
          out_ << "<line x1=\"" << x << "\" y1=\"" << y0 << "\" x2=\"" << x
               << "\" y2=\"" << y1 << "\" stroke=\"" << colour
               << "\" stroke-width=\"" << width << "\"/>\n"
               << "<text x=\"" << x << "\" y=\"" << y1 + 18
               << "\" text-anchor=\"middle\" fill=\"#495057\">" << number
               << "</text>\n";
        } else {
          const double y = PageY(view, value);
          out_ << "<line x1=\"" << x0 << "\" y1=\"" << y << "\" x2=\"" << x1
               << "\" y2=\"" << y << "\" stroke=\"" << colour
               << "\" stroke-width=\"" << width << "\"/>\n"
               << "<text x=\"" << x0 - 6 << "\" y=\"" << y + 4
               << "\" text-anchor=\"end\" fill=\"#495057\">" << number
               << "</text>\n";
        }
      }
    };
    lines(view.right, true);
    lines(view.up, false);
  }

  void DrawTriangle(const View& view, double left) {
    if (drawing_.points.size() < 3) return;
    for (std::size_t i = 0; i < 3; ++i) {
      if (!Finite(drawing_.points[i].pos)) return;
    }
    out_ << "<polygon points=\"";
    for (std::size_t i = 0; i < 3; ++i) {
      const VECTOR3& p = drawing_.points[i].pos;
      out_ << (i ? " " : "") << PageX(view, left, p.data[view.right]) << ','
           << PageY(view, p.data[view.up]);
    }
    out_ << "\" fill=\"" << kPrimaryColour
         << "\" fill-opacity=\"0.15\" stroke=\"" << kPrimaryColour
         << "\" stroke-width=\"1.5\"/>\n";
  }

  void DrawCentreOfMass(double x, double y) {
    // The usual mark: a circle with two opposite quarters filled.
    const double r = 8.0;
    out_ << "<circle cx=\"" << x << "\" cy=\"" << y << "\" r=\"" << r
         << "\" fill=\"white\" stroke=\"black\" stroke-width=\"1.5\"/>\n"
         << "<path d=\"M" << x << ',' << y << " h" << r << " a" << r << ',' << r
         << " 0 0 0 " << -r << ',' << -r << " z M" << x << ',' << y << " h"
         << -r << " a" << r << ',' << r << " 0 0 0 " << r << ',' << r
         << " z\" fill=\"black\"/>\n";
  }

  void DrawPoints(const View& view, double left) {
    // Points that fall on one spot in a view share one label, "2,3".
    std::map<std::pair<long, long>, std::string> labels;
    std::map<std::pair<long, long>, std::pair<double, double>> spots;
    for (std::size_t i = drawing_.points.size(); i-- > 0;) {
      const VECTOR3& p = drawing_.points[i].pos;
      if (!Finite(p)) continue;
      const double x = PageX(view, left, p.data[view.right]);
      const double y = PageY(view, p.data[view.up]);
      const bool primary = i < 3;
      out_ << "<circle cx=\"" << x << "\" cy=\"" << y << "\" r=\""
           << (primary ? 6 : 4.5) << "\" fill=\""
           << (primary ? kPrimaryColour : kOtherColour)
           << "\" stroke=\"white\" stroke-width=\"1\"/>\n";
      const std::pair<long, long> key{std::lround(x / 3), std::lround(y / 3)};
      std::string& label = labels[key];
      label = std::to_string(i + 1) + (label.empty() ? "" : "," + label);
      spots[key] = {x, y};
    }
    for (const auto& [key, label] : labels) {
      const auto [x, y] = spots[key];
      out_ << "<text x=\"" << x + 8 << "\" y=\"" << y - 8
           << "\" font-weight=\"bold\" stroke=\"white\" stroke-width=\"3\" "
              "paint-order=\"stroke\">"
           << label << "</text>\n";
    }
  }

  void DrawLegend() {
    double y = kPlotTop + kPlotSize + 78;
    out_ << "<circle cx=\"30\" cy=\"" << y - 4 << "\" r=\"6\" fill=\""
         << kPrimaryColour << "\"/>\n"
         << "<text x=\"42\" y=\"" << y
         << "\">points 1-3: the primary points and their ground-contact "
            "triangle</text>\n"
         << "<circle cx=\"530\" cy=\"" << y - 4 << "\" r=\"4.5\" fill=\""
         << kOtherColour << "\"/>\n"
         << "<text x=\"542\" y=\"" << y << "\">other points</text>\n";
    DrawCentreOfMass(700, y - 4);
    out_ << "<text x=\"714\" y=\"" << y
         << "\">origin = centre of mass</text>\n";
    y += 24;
    if (drawing_.origin_height && std::isfinite(*drawing_.origin_height)) {
      out_ << "<line x1=\"18\" y1=\"" << y - 4 << "\" x2=\"42\" y2=\"" << y - 4
           << "\" " << kGroundStyle << "/>\n"
           << "<text x=\"50\" y=\"" << y
           << "\">ground at rest: the origin stands "
           << Fixed(*drawing_.origin_height, 3)
           << " m above it; points below it are compressed</text>\n";
    }
    out_ << "<text x=\"700\" y=\"" << y
         << "\">grid: " << Fixed(step_, Decimals(step_))
         << " m; all views at one scale, in metres</text>\n";
    std::string skipped;
    for (std::size_t i = 0; i < drawing_.points.size(); ++i) {
      if (!Finite(drawing_.points[i].pos)) {
        skipped += (skipped.empty() ? "" : ", ") + std::to_string(i + 1);
      }
    }
    if (!skipped.empty()) {
      out_ << "<text x=\"20\" y=\"" << y + 24
           << "\" fill=\"#c92a2a\">not drawn (a coordinate is not a finite "
              "number): "
           << skipped << "</text>\n";
    }
  }

  const TouchdownDrawing& drawing_;
  Range ranges_[3];
  double scale_ = 1.0;
  double step_ = 1.0;
  std::ostringstream out_;
};

}  // namespace

std::string DrawTouchdownSvg(const TouchdownDrawing& drawing) {
  return SvgWriter(drawing).Write();
}

}  // namespace tools
