#include "touchdown_svg.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <sstream>
#include <utility>

#include "number_text.h"
#include "xml_text.h"

namespace tools {

namespace {

constexpr double kPlotSize = 300.0;  // px, square plot of each view
constexpr double kPanelWidth = 400.0;
constexpr double kPlotLeft = 70.0;  // px from the panel's left edge
constexpr double kPlotTop = 90.0;
constexpr double kWidth = 3 * kPanelWidth;
constexpr double kHeight = 570.0;
// Up to this many points every point is numbered; beyond it only points
// 1-3 and the outermost point in each direction of a view.
constexpr std::size_t kNumberAllUpTo = 12;

const char* const kPrimaryColour = "#d9480f";
const char* const kOtherColour = "#1c7ed6";
const char* const kGroundStyle =
    "stroke=\"#8d6e63\" stroke-width=\"2\" stroke-dasharray=\"6 4\"";

// The length of (dx, dy). The C libraries' hypot rounds differently in
// each build; this is the same in all.
double Length(double dx, double dy) { return std::sqrt(dx * dx + dy * dy); }

// The largest power of ten at most `value` (> 0), as 10^n or 1 / 10^n, and
// its exponent n: the same bits in every build, as the C libraries' log10
// and pow need not give.
double PowerOfTenBelow(double value, int& exponent) {
  double power = 1.0;
  exponent = 0;
  if (!(value > 0.0) || !std::isfinite(value)) return power;
  while (power * 10.0 <= value) {
    power *= 10.0;
    ++exponent;
  }
  double divisor = 1.0;
  while (value < 1.0 / divisor) {
    divisor *= 10.0;
    --exponent;
  }
  return exponent < 0 ? 1.0 / divisor : power;
}

// The decimals that show every multiple of a grid step exactly.
int Decimals(double step) {
  int exponent = 0;
  PowerOfTenBelow(step * (1.0 + 1e-9), exponent);
  return std::max(0, -exponent);
}

bool Finite(const VECTOR3& p) {
  return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

// A grid step of 1, 2 or 5 times a power of ten, about a fifth of `span`.
double GridStep(double span) {
  const double rough = span / 5.0;
  int exponent = 0;
  const double power = PowerOfTenBelow(rough, exponent);
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

// A rectangle on the page.
struct Box {
  double left = 0.0;
  double top = 0.0;
  double right = 0.0;
  double bottom = 0.0;
  bool Overlaps(const Box& other) const {
    return left < other.right && other.left < right && top < other.bottom &&
           other.top < bottom;
  }
  bool Within(const Box& other) const {
    return left >= other.left && right <= other.right && top >= other.top &&
           bottom <= other.bottom;
  }
};

// The numbers of points that share a label: "2,3", or "5-8,12" for runs.
std::string LabelText(const std::vector<std::size_t>& numbers) {
  std::string text;
  for (std::size_t i = 0; i < numbers.size();) {
    std::size_t j = i;
    while (j + 1 < numbers.size() && numbers[j + 1] == numbers[j] + 1) ++j;
    text += (text.empty() ? "" : ",") + std::to_string(numbers[i]);
    if (j >= i + 2) {
      text += "-" + std::to_string(numbers[j]);
      i = j + 1;
    } else {
      i = i + 1;
    }
  }
  return text;
}

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
             << x1 << "\" y2=\"" << ground(x1) << "\" " << kGroundStyle
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

  // Which points a view numbers: all of them up to kNumberAllUpTo, else
  // points 1-3 and the outermost ones to the left, right, top and bottom.
  std::vector<bool> NumberedPoints(const View& view) const {
    const auto& points = drawing_.points;
    std::size_t finite = 0;
    for (const TOUCHDOWNVTX& v : points) finite += Finite(v.pos) ? 1 : 0;
    std::vector<bool> numbered(points.size(), finite <= kNumberAllUpTo);
    if (finite <= kNumberAllUpTo) return numbered;
    std::size_t extremes[4] = {points.size(), points.size(), points.size(),
                               points.size()};
    const auto better = [&](std::size_t i, std::size_t& best, int axis,
                            bool high) {
      if (best == points.size()) {
        best = i;
        return;
      }
      const double value = points[i].pos.data[axis];
      const double held = points[best].pos.data[axis];
      if (high ? value > held : value < held) best = i;
    };
    for (std::size_t i = 0; i < points.size(); ++i) {
      if (!Finite(points[i].pos)) continue;
      if (i < 3) numbered[i] = true;
      better(i, extremes[0], view.right, false);
      better(i, extremes[1], view.right, true);
      better(i, extremes[2], view.up, false);
      better(i, extremes[3], view.up, true);
    }
    for (std::size_t i : extremes) {
      if (i < points.size()) numbered[i] = true;
    }
    return numbered;
  }

  // Where a point is drawn.
  struct Spot {
    double x = 0.0;
    double y = 0.0;
  };

  // The distance from `box` to (x, y).
  static double Distance(const Box& box, double x, double y) {
    return Length(x - std::clamp(x, box.left, box.right),
                  y - std::clamp(y, box.top, box.bottom));
  }

  // True when no point but the one at (x, y), or one drawn on the same
  // spot, lies nearer to `box`: a reader takes a label for the nearest
  // point's.
  static bool NearestTo(const Box& box, double x, double y,
                        const std::vector<Spot>& points) {
    const double own = Distance(box, x, y);
    return std::none_of(points.begin(), points.end(), [&](const Spot& p) {
      const bool same_spot = Length(p.x - x, p.y - y) < 3.0;
      return !same_spot && Distance(box, p.x, p.y) < own;
    });
  }

  // Places the label `text` for a spot at (x, y): the first place around
  // it, nearest first, that stays inside `plot` and clear of the labels
  // placed so far and, if it can, of the point marks, nearer to its own
  // point than to any other of `points`. Nothing when there is no room.
  static std::optional<Box> PlaceLabel(double x, double y,
                                       const std::string& text, const Box& plot,
                                       const std::vector<Box>& labels,
                                       const std::vector<Box>& marks,
                                       const std::vector<Spot>& points) {
    // Bold 13 px digits are at most 9 px wide; the box is generous.
    const double width = 9.0 * static_cast<double>(text.size()) + 4.0;
    const double height = 16.0;
    // Upper right first, where labels have always been.
    const int directions[8][2] = {{1, -1}, {1, 1},  {-1, -1}, {-1, 1},
                                  {1, 0},  {-1, 0}, {0, -1},  {0, 1}};
    for (bool avoid_marks : {true, false}) {
      for (double distance : {8.0, 20.0, 34.0, 50.0, 70.0, 95.0}) {
        for (const auto& d : directions) {
          const double reach = d[0] != 0 && d[1] != 0 ? 0.75 : 1.0;
          const double ax = x + d[0] * distance * reach;
          const double ay = y + d[1] * distance * reach;
          Box box;
          box.left = d[0] > 0 ? ax : d[0] < 0 ? ax - width : ax - width / 2;
          box.top = d[1] < 0 ? ay - height : d[1] > 0 ? ay : ay - height / 2;
          box.right = box.left + width;
          box.bottom = box.top + height;
          if (!box.Within(plot)) continue;
          const auto hits = [&](const Box& other) {
            return box.Overlaps(other);
          };
          if (std::any_of(labels.begin(), labels.end(), hits)) continue;
          if (avoid_marks && (std::any_of(marks.begin(), marks.end(), hits) ||
                              !NearestTo(box, x, y, points))) {
            continue;
          }
          return box;
        }
      }
    }
    return std::nullopt;
  }

  void DrawPoints(const View& view, double left) {
    const std::vector<bool> numbered = NumberedPoints(view);
    // Numbered points that fall on one spot in a view share one label.
    struct Numbers {
      double x = 0.0;
      double y = 0.0;
      std::vector<std::size_t> numbers;
    };
    std::map<std::pair<long, long>, Numbers> spots;
    std::vector<Box> marks;
    std::vector<Spot> drawn;
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
      drawn.push_back({x, y});
      if (!numbered[i]) continue;
      Numbers& spot = spots[{std::lround(x / 3), std::lround(y / 3)}];
      spot.x = x;
      spot.y = y;
      spot.numbers.insert(spot.numbers.begin(), i + 1);
    }
    // The centre-of-mass mark.
    const double cx = PageX(view, left, 0.0);
    const double cy = PageY(view, 0.0);
    marks.push_back({cx - 8, cy - 8, cx + 8, cy + 8});

    // The primary points are placed first, then in the order of numbers.
    std::vector<const Numbers*> order;
    for (const auto& entry : spots) order.push_back(&entry.second);
    std::sort(order.begin(), order.end(),
              [](const Numbers* a, const Numbers* b) {
                return a->numbers.front() < b->numbers.front();
              });
    const double x0 = left + kPlotLeft;
    const Box plot{x0 + 2, kPlotTop + 2, x0 + kPlotSize - 2,
                   kPlotTop + kPlotSize - 2};
    std::vector<Box> labels;
    std::ostringstream lines;
    std::ostringstream texts;
    for (const Numbers* spot : order) {
      const std::string text = LabelText(spot->numbers);
      const auto box =
          PlaceLabel(spot->x, spot->y, text, plot, labels, marks, drawn);
      if (!box) {
        ++labels_left_out_;
        continue;
      }
      labels.push_back(*box);
      // A label set apart from its point, or nearer to another point,
      // gets a line to its own.
      const double nx = std::clamp(spot->x, box->left, box->right);
      const double ny = std::clamp(spot->y, box->top, box->bottom);
      if (Length(nx - spot->x, ny - spot->y) > 16.0 ||
          !NearestTo(*box, spot->x, spot->y, drawn)) {
        lines << "<line x1=\"" << spot->x << "\" y1=\"" << spot->y << "\" x2=\""
              << nx << "\" y2=\"" << ny
              << "\" stroke=\"#868e96\" stroke-width=\"0.8\"/>\n";
      }
      texts << "<text x=\"" << box->left + 2 << "\" y=\"" << box->bottom - 4
            << "\" font-weight=\"bold\" stroke=\"white\" stroke-width=\"3\" "
               "paint-order=\"stroke\">"
            << text << "</text>\n";
    }
    out_ << lines.str() << texts.str();
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

}  // namespace tools
