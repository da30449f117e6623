#ifndef VANTREL_REPORT_POINT_LABELS_H_
#define VANTREL_REPORT_POINT_LABELS_H_

#include <cstddef>
#include <string>
#include <vector>

namespace report {

// A rectangle on the page.
struct PageBox {
  double left = 0.0;
  double top = 0.0;
  double right = 0.0;
  double bottom = 0.0;
  bool Overlaps(const PageBox& other) const {
    return left < other.right && other.left < right && top < other.bottom &&
           other.top < bottom;
  }
  bool Within(const PageBox& other) const {
    return left >= other.left && right <= other.right && top >= other.top &&
           bottom <= other.bottom;
  }
};

// A numbered point where a view draws it.
struct PagePoint {
  double x = 0.0;
  double y = 0.0;
  std::size_t number = 0;  // from 1, as the definition counts
};

// Up to this many points a view numbers every point; beyond it only points
// 1-3 and the outermost point in each direction.
constexpr std::size_t kNumberAllUpTo = 12;

// The numbers of one view, as SVG, and how many found no room.
struct PointLabels {
  std::string svg;
  int left_out = 0;
};

// Numbers `points` (in the order of their numbers) inside `plot`: points
// that fall on one spot share one label ("2,3", "5-8,12"); each label goes
// to the first place around its spot, nearest first, clear of the labels
// placed so far and, if it can, of `marks` and nearer to its own point than
// to any other; a label set apart from its point gets a line to it.
PointLabels LabelPoints(const std::vector<PagePoint>& points,
                        const std::vector<PageBox>& marks, const PageBox& plot);

}  // namespace report

#endif  // VANTREL_REPORT_POINT_LABELS_H_
