#include "report/touchdown_svg.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "formats/number_text.h"
#include "report/grid_step.h"
#include "report/point_labels.h"
#include "report/xml_text.h"

namespace report {

namespace {

constexpr double kPlotSize = 300.0;  // px, square plot of each view
constexpr double kPanelWidth = 400.0;
constexpr double kPlotLeft = 70.0;  // px from the panel's left edge
constexpr double kPlotTop = 90.0;
constexpr double kPageWidth = 3 * kPanelWidth;
constexpr double kPageHeight = 570.0;

const char* const kPrimaryColour = "#d9480f";
const char* const kOtherColour = "#1c7ed6";
const char* const kDashedGroundStyle =
    "stroke=\"#8d6e63\" stroke-width=\"2\" stroke-dasharray=\"6 4\"";

bool Finite(const VECTOR3& p) {
  return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
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
         << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << kPageWidth
         << "\" height=\"" << kPageHeight << "\" viewBox=\"0 0 " << kPageWidth
         << ' ' << kPageHeight
         << "\" font-family=\"sans-serif\" font-size=\"13\">\n"
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
        {"Rear view (x-y), looking forward", "x (m), right", "y (m), up", 0, 1},
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
      // The ground plane h + p . u = 0 where it cuts this view's plane
      // through the origin: y = -(h + u_r r) / u_y along the view's axis r.
      VECTOR3 up{};
      up.y = 1.0;
      if (drawing_.ground_up) up = *drawing_.ground_up;
      const double h = *drawing_.origin_height;
      const auto ground = [&](double page_x) {
        const double r = ranges_[view.right].Middle() +
                         (page_x - left - kPlotLeft - kPlotSize / 2) / scale_;
        return PageY(view, -(h + up.data[view.right] * r) / up.y);
      };
      if (std::fabs(up.y) > 1e-6) {
        out_ << "<line x1=\"" << x0 << "\" y1=\"" << ground(x0) << "\" x2=\""
             << x1 << "\" y2=\"" << ground(x1) << "\" " << kDashedGroundStyle
             << "/>\n";
      }
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
        const std::string number = formats::Fixed(value, Decimals(step_));
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
    std::vector<PagePoint> points;
    std::vector<PageBox> marks;
    for (std::size_t i = drawing_.points.size(); i-- > 0;) {
      const VECTOR3& p = drawing_.points[i].pos;
      if (!Finite(p)) continue;
      const double x = PageX(view, left, p.data[view.right]);
      const double y = PageY(view, p.data[view.up]);
      const bool primary = i < 3;
      const double radius = primary ? 6 : 4.5;
      out_ << "<circle cx=\"" << x << "\" cy=\"" << y << "\" r=\"" << radius
           << "\" fill=\"" << (primary ? kPrimaryColour : kOtherColour)
           << "\" stroke=\"white\" stroke-width=\"1\"/>\n";
      marks.push_back({x - radius, y - radius, x + radius, y + radius});
      points.push_back({x, y, i + 1});
    }
    std::reverse(points.begin(), points.end());
    // The centre-of-mass mark.
    const double cx = PageX(view, left, 0.0);
    const double cy = PageY(view, 0.0);
    marks.push_back({cx - 8, cy - 8, cx + 8, cy + 8});
    const double x0 = left + kPlotLeft;
    const PageBox plot{x0 + 2, kPlotTop + 2, x0 + kPlotSize - 2,
                       kPlotTop + kPlotSize - 2};
    const PointLabels labels = LabelPoints(points, marks, plot);
    labels_left_out_ += labels.left_out;
    out_ << labels.svg;
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
           << "\" " << kDashedGroundStyle << "/>\n"
           << "<text x=\"50\" y=\"" << y
           << "\">ground at rest: the origin stands "
           << formats::Fixed(*drawing_.origin_height, 3)
           << " m above it; points below it are compressed</text>\n";
    }
    out_ << "<text x=\"700\" y=\"" << y
         << "\">grid: " << formats::Fixed(step_, Decimals(step_))
         << " m; all views at one scale, in metres</text>\n";
    std::size_t finite = 0;
    std::vector<std::size_t> skipped;
    for (std::size_t i = 0; i < drawing_.points.size(); ++i) {
      if (Finite(drawing_.points[i].pos)) {
        ++finite;
      } else {
        skipped.push_back(i + 1);
      }
    }
    std::string numbers;
    if (finite > kNumberAllUpTo) {
      numbers =
          "numbers: only points 1-3 and the outermost point each way "
          "in every view (" +
          std::to_string(finite) + " points; all are numbered up to " +
          std::to_string(kNumberAllUpTo) + ")";
    }
    if (labels_left_out_ > 0) {
      numbers += (numbers.empty() ? "numbers: " : "; ") +
                 std::to_string(labels_left_out_) +
                 " left out for lack of room";
    }
    if (!numbers.empty()) {
      y += 24;
      out_ << "<text x=\"20\" y=\"" << y << "\">" << numbers << "</text>\n";
    }
    if (!skipped.empty()) {
      y += 24;
      constexpr std::size_t kShown = 10;
      std::string list;
      for (std::size_t n = 0; n < skipped.size() && n < kShown; ++n) {
        list += (n == 0 ? "" : ", ") + std::to_string(skipped[n]);
      }
      if (skipped.size() > kShown) {
        list += " and " + std::to_string(skipped.size() - kShown) + " more";
      }
      out_ << "<text x=\"20\" y=\"" << y
           << "\" fill=\"#c92a2a\">not drawn (a coordinate is not a finite "
              "number): "
           << list << "</text>\n";
    }
  }

  const TouchdownDrawing& drawing_;
  Range ranges_[3];
  int labels_left_out_ = 0;
  double scale_ = 1.0;
  double step_ = 1.0;
  std::ostringstream out_;
};

}  // namespace

std::string DrawTouchdownSvg(const TouchdownDrawing& drawing) {
  return SvgWriter(drawing).Write();
}

}  // namespace report
