#include "report/point_labels.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <sstream>
#include <utility>

namespace report {

namespace {

// The length of (dx, dy). The C libraries' hypot rounds differently in
// each build; this is the same in all.
double Length(double dx, double dy) { return std::sqrt(dx * dx + dy * dy); }

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

// Which of `points` get a number: all of them up to kNumberAllUpTo, else
// points 1-3 and the outermost ones to the left, right, top and bottom.
std::vector<bool> NumberedPoints(const std::vector<PagePoint>& points) {
  std::vector<bool> numbered(points.size(), points.size() <= kNumberAllUpTo);
  if (points.size() <= kNumberAllUpTo) return numbered;
  std::size_t extremes[4] = {0, 0, 0, 0};
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (points[i].number <= 3) numbered[i] = true;
    const PagePoint& p = points[i];
    if (p.x < points[extremes[0]].x) extremes[0] = i;
    if (p.x > points[extremes[1]].x) extremes[1] = i;
    if (p.y < points[extremes[2]].y) extremes[2] = i;
    if (p.y > points[extremes[3]].y) extremes[3] = i;
  }
  for (std::size_t i : extremes) numbered[i] = true;
  return numbered;
}

// The distance from `box` to (x, y).
double Distance(const PageBox& box, double x, double y) {
  return Length(x - std::clamp(x, box.left, box.right),
                y - std::clamp(y, box.top, box.bottom));
}

// True when no point but the one at (x, y), or one drawn on the same spot,
// lies nearer to `box`: a reader takes a label for the nearest point's.
bool NearestTo(const PageBox& box, double x, double y,
               const std::vector<PagePoint>& points) {
  const double own = Distance(box, x, y);
  return std::none_of(points.begin(), points.end(), [&](const PagePoint& p) {
    const bool same_spot = Length(p.x - x, p.y - y) < 3.0;
    return !same_spot && Distance(box, p.x, p.y) < own;
  });
}

// The place for the label `text` of a spot at (x, y); nothing when there
// is no room.
std::optional<PageBox> PlaceLabel(double x, double y, const std::string& text,
                                  const PageBox& plot,
                                  const std::vector<PageBox>& labels,
                                  const std::vector<PageBox>& marks,
                                  const std::vector<PagePoint>& points) {
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
        PageBox box;
        box.left = d[0] > 0 ? ax : d[0] < 0 ? ax - width : ax - width / 2;
        box.top = d[1] < 0 ? ay - height : d[1] > 0 ? ay : ay - height / 2;
        box.right = box.left + width;
        box.bottom = box.top + height;
        if (!box.Within(plot)) continue;
        const auto hits = [&](const PageBox& other) {
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

}  // namespace

PointLabels LabelPoints(const std::vector<PagePoint>& points,
                        const std::vector<PageBox>& marks,
                        const PageBox& plot) {
  const std::vector<bool> numbered = NumberedPoints(points);
  // Numbered points that fall on one spot share one label, drawn from the
  // spot of the lowest number among them.
  struct Spot {
    double x = 0.0;
    double y = 0.0;
    std::vector<std::size_t> numbers;
  };
  std::map<std::pair<long, long>, Spot> spots;
  for (std::size_t i = points.size(); i-- > 0;) {
    if (!numbered[i]) continue;
    const PagePoint& p = points[i];
    Spot& spot = spots[{std::lround(p.x / 3), std::lround(p.y / 3)}];
    spot.x = p.x;
    spot.y = p.y;
    spot.numbers.insert(spot.numbers.begin(), p.number);
  }
  // The primary points are placed first, then in the order of numbers.
  std::vector<const Spot*> order;
  for (const auto& entry : spots) order.push_back(&entry.second);
  std::sort(order.begin(), order.end(), [](const Spot* a, const Spot* b) {
    return a->numbers.front() < b->numbers.front();
  });
  PointLabels result;
  std::vector<PageBox> labels;
  std::ostringstream lines;
  std::ostringstream texts;
  for (const Spot* spot : order) {
    const std::string text = LabelText(spot->numbers);
    const auto box =
        PlaceLabel(spot->x, spot->y, text, plot, labels, marks, points);
    if (!box) {
      ++result.left_out;
      continue;
    }
    labels.push_back(*box);
    const double nx = std::clamp(spot->x, box->left, box->right);
    const double ny = std::clamp(spot->y, box->top, box->bottom);
    if (Length(nx - spot->x, ny - spot->y) > 16.0 ||
        !NearestTo(*box, spot->x, spot->y, points)) {
      lines << "<line x1=\"" << spot->x << "\" y1=\"" << spot->y << "\" x2=\""
            << nx << "\" y2=\"" << ny
            << "\" stroke=\"#868e96\" stroke-width=\"0.8\"/>\n";
    }
    texts << "<text x=\"" << box->left + 2 << "\" y=\"" << box->bottom - 4
          << "\" font-weight=\"bold\" stroke=\"white\" stroke-width=\"3\" "
             "paint-order=\"stroke\">"
          << text << "</text>\n";
  }
  result.svg = lines.str() + texts.str();
  return result;
}

}  // namespace report
