#include "report/touchdown_svg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <regex>
#include <string>
#include <vector>

namespace tools {
namespace {

// Checks that `text` is a well-formed XML document whose root is <svg>:
// names and attributes well formed, every attribute quoted, only the five
// predefined entities or character references, no raw '<' or '&' in text,
// every element closed in order. Returns what is wrong, or "" when nothing.
class XmlChecker {
 public:
  explicit XmlChecker(const std::string& text) : text_(text) {}

  std::string Check() {
    if (text_.compare(0, 5, "<?xml") == 0) {
      const auto end = text_.find("?>");
      if (end == std::string::npos) return "unclosed declaration";
      at_ = end + 2;
    }
    while (at_ < text_.size()) {
      const char c = text_[at_];
      if (c == '<') {
        if (const std::string problem = Tag(); !problem.empty()) return problem;
      } else if (c == '&') {
        if (!Entity()) return "bad entity at " + std::to_string(at_);
      } else {
        if (open_.empty() && !std::isspace(static_cast<unsigned char>(c))) {
          return "text outside the root at " + std::to_string(at_);
        }
        ++at_;
      }
    }
    if (!open_.empty()) return "unclosed <" + open_.back() + ">";
    return roots_ == 1 ? "" : "expected one root element";
  }

 private:
  static bool NameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '-' ||
           c == '_' || c == ':' || c == '.';
  }

  std::string Name() {
    const std::size_t start = at_;
    while (at_ < text_.size() && NameChar(text_[at_])) ++at_;
    return text_.substr(start, at_ - start);
  }

  void Blanks() {
    while (at_ < text_.size() &&
           std::isspace(static_cast<unsigned char>(text_[at_]))) {
      ++at_;
    }
  }

  bool Entity() {
    static const char* const kNames[] = {"&amp;", "&lt;", "&gt;", "&quot;",
                                         "&apos;"};
    for (const char* name : kNames) {
      if (text_.compare(at_, std::string(name).size(), name) == 0) {
        at_ += std::string(name).size();
        return true;
      }
    }
    if (text_.compare(at_, 2, "&#") != 0) return false;
    const auto end = text_.find(';', at_);
    if (end == std::string::npos) return false;
    at_ = end + 1;
    return true;
  }

  std::string Tag() {
    ++at_;
    const bool closing = at_ < text_.size() && text_[at_] == '/';
    if (closing) ++at_;
    const std::string name = Name();
    if (name.empty()) return "tag without a name at " + std::to_string(at_);
    if (closing) {
      Blanks();
      if (open_.empty() || open_.back() != name || text_[at_] != '>') {
        return "misplaced </" + name + ">";
      }
      open_.pop_back();
      ++at_;
      return "";
    }
    while (true) {
      Blanks();
      if (at_ >= text_.size()) return "unclosed <" + name;
      if (text_.compare(at_, 2, "/>") == 0) {
        at_ += 2;
        if (open_.empty()) ++roots_;
        return "";
      }
      if (text_[at_] == '>') {
        ++at_;
        if (open_.empty()) ++roots_;
        open_.push_back(name);
        return "";
      }
      if (Name().empty()) return "bad attribute in <" + name + ">";
      Blanks();
      if (text_[at_] != '=') return "attribute without '=' in <" + name + ">";
      ++at_;
      Blanks();
      const char quote = text_[at_];
      if (quote != '"' && quote != '\'') return "unquoted attribute";
      ++at_;
      while (at_ < text_.size() && text_[at_] != quote) {
        if (text_[at_] == '<') return "'<' in an attribute of <" + name + ">";
        if (text_[at_] == '&') {
          if (!Entity()) return "bad entity in <" + name + ">";
        } else {
          ++at_;
        }
      }
      ++at_;
    }
  }

  const std::string& text_;
  std::size_t at_ = 0;
  std::vector<std::string> open_;
  int roots_ = 0;
};

TOUCHDOWNVTX Point(double x, double y, double z) {
  TOUCHDOWNVTX v{};
  v.pos.x = x;
  v.pos.y = y;
  v.pos.z = z;
  return v;
}

int Count(const std::string& text, const std::string& part) {
  int count = 0;
  for (auto at = text.find(part); at != std::string::npos;
       at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

TEST(TouchdownSvgTest, ThreeLabelledViewsInAWellFormedDocument) {
  report::TouchdownDrawing drawing;
  drawing.title = "Tug/Mk2 <\"A&B\"> \xc3\xa9";
  drawing.points = {Point(0, -2, 4.5), Point(-3, -2, -3), Point(3, -2, -3),
                    Point(0, 3.5, -2)};
  drawing.origin_height = 1.9;
  const std::string svg = report::DrawTouchdownSvg(drawing);
  EXPECT_EQ(XmlChecker(svg).Check(), "");
  EXPECT_NE(svg.find("Tug/Mk2 &lt;&quot;A&amp;B&quot;&gt; ??"),
            std::string::npos);
  for (const char* title :
       {"Top view (x-z)", "Side view (z-y)", "Rear view (x-y)", "x (m)",
        "y (m)", "z (m)", "centre of mass", "ground at rest"}) {
    EXPECT_NE(svg.find(title), std::string::npos) << title;
  }
  // One contact triangle per view; points 2 and 3 share a spot seen from
  // the side, and one label there.
  EXPECT_EQ(Count(svg, "<polygon"), 3);
  EXPECT_EQ(Count(svg, "\"stroke\">2,3</text>"), 1);
  EXPECT_EQ(Count(svg, "\"stroke\">4</text>"), 3);
}

// The point labels of a drawing, with the page area each covers in 13 px
// bold DejaVu Sans (digits 0.696 em wide, the comma 0.38 em, the dash
// 0.411 em; 12 px above the base line, 3 below).
struct Label {
  std::string text;
  double left, top, right, bottom;
};

std::vector<Label> Labels(const std::string& svg) {
  static const std::regex label(
      "<text x=\"([-0-9.e]+)\" y=\"([-0-9.e]+)\" font-weight=\"bold\" "
      "stroke=\"white\"[^>]*>([^<]*)</text>");
  std::vector<Label> labels;
  for (std::sregex_iterator it(svg.begin(), svg.end(), label), end; it != end;
       ++it) {
    const std::string text = (*it)[3];
    double width = 0.0;
    for (char c : text)
      width += 13 * (c == ',' ? 0.38 : c == '-' ? 0.411 : 0.696);
    const double x = std::stod((*it)[1]);
    const double y = std::stod((*it)[2]);
    labels.push_back({text, x, y - 12, x + width, y + 3});
  }
  return labels;
}

// Plot areas: 300 px squares, 90 px from the top, 70 px into each 400 px
// panel.
int PanelOf(const Label& l) {
  for (int panel = 0; panel < 3; ++panel) {
    const double left = 400.0 * panel + 70;
    if (l.left >= left && l.right <= left + 300 && l.top >= 90 &&
        l.bottom <= 390) {
      return panel;
    }
  }
  return -1;
}

TEST(TouchdownSvgTest, LabelsNeverOverlapOrLeaveTheirPanel) {
  // A crowd of points a few pixels apart, far from the primary ones; a
  // lander whose gear and hull share spots seen from above; a hull of 40
  // points; the most points a definition may hold.
  std::vector<TOUCHDOWNVTX> crowd = {Point(0, -2, 10), Point(-8, -2, -8),
                                     Point(8, -2, -8)};
  for (int i = 0; i < 9; ++i) {
    crowd.push_back(Point(0.25 * (i % 3), -1 + 0.2 * (i / 3), 0.3 * (i % 3)));
  }
  std::vector<TOUCHDOWNVTX> stacked = {Point(0, -2.5, 6), Point(-3, -2.5, -4),
                                       Point(3, -2.5, -4)};
  for (int i = 0; i < 3; ++i) {
    stacked.push_back(stacked[i]);
    stacked.back().pos.y = 2.5;
  }
  std::vector<TOUCHDOWNVTX> hull = {Point(0, -2, 3), Point(-2.6, -2, -1.5),
                                    Point(2.6, -2, -1.5)};
  for (int i = 0; i < 37; ++i) {
    const double a = 0.5236 * i;
    hull.push_back(Point(3 * std::cos(a), -1 + 2 * (i / 12), 3 * std::sin(a)));
  }
  std::vector<TOUCHDOWNVTX> most = {Point(0, -3, 5), Point(-4, -3, -4),
                                    Point(4, -3, -4)};
  for (int i = 3; i < 8192; ++i) {
    const double z = 1 - 2 * (i + 0.5) / 8192;
    const double r = std::sqrt(1 - z * z);
    most.push_back(
        Point(5 * r * std::cos(i * 2.4), 3 * z, 8 * r * std::sin(i * 2.4)));
  }
  for (const auto& points : {crowd, stacked, hull, most}) {
    SCOPED_TRACE(points.size());
    report::TouchdownDrawing drawing;
    drawing.title = "many";
    drawing.points = points;
    const std::string svg = report::DrawTouchdownSvg(drawing);
    const std::vector<Label> labels = Labels(svg);
    ASSERT_GE(labels.size(), 9u) << "points 1-3 in three views at least";
    int per_panel[3] = {0, 0, 0};
    for (std::size_t i = 0; i < labels.size(); ++i) {
      const Label& a = labels[i];
      const int panel = PanelOf(a);
      ASSERT_NE(panel, -1) << a.text << " leaves its panel";
      ++per_panel[panel];
      for (std::size_t j = i + 1; j < labels.size(); ++j) {
        const Label& b = labels[j];
        EXPECT_FALSE(a.left < b.right && b.left < a.right && a.top < b.bottom &&
                     b.top < a.bottom)
            << a.text << " overlaps " << b.text;
      }
    }
    // Beyond 12 points only points 1-3 and the four outermost are
    // numbered, and the legend says so.
    const bool few = points.size() <= 12;
    EXPECT_EQ(
        svg.find("only points 1-3 and the outermost") == std::string::npos,
        few);
    for (int count : per_panel) {
      EXPECT_LE(count, few ? 12 : 7);
    }
  }
}

TEST(TouchdownSvgTest, ALabelIsNearestItsOwnPointOrHasALineToIt) {
  // A ring of 12 whose 13th point lies just beside point 1 in the top view,
  // on each side of it in turn: a label between the two must not read as
  // the other point's.
  for (const double dx : {0.6, -0.6, 0.5, 0.3}) {
    SCOPED_TRACE(dx);
    std::vector<TOUCHDOWNVTX> points;
    for (int i = 0; i < 12; ++i) {
      const double a = -0.5236 * i;
      points.push_back(Point(3 * std::sin(a), -2, 5 * std::cos(a)));
    }
    points.push_back(Point(dx, -2, 5 + (dx == 0.5 ? 0.5 : 0.0)));
    report::TouchdownDrawing drawing;
    drawing.title = "ring";
    drawing.points = points;
    const std::string svg = report::DrawTouchdownSvg(drawing);

    // The point marks of the top view, drawn from the last point to the
    // first; and the lines from a point to its label.
    struct Mark {
      double x, y;
    };
    static const std::regex circle(
        "<circle cx=\"([-0-9.e]+)\" cy=\"([-0-9.e]+)\" r=\"(6|4.5)\"");
    std::vector<Mark> marks;
    for (std::sregex_iterator it(svg.begin(), svg.end(), circle), end;
         it != end && marks.size() < points.size(); ++it) {
      marks.push_back({std::stod((*it)[1]), std::stod((*it)[2])});
    }
    ASSERT_EQ(marks.size(), points.size());
    static const std::regex line(
        "<line x1=\"([-0-9.e]+)\" y1=\"([-0-9.e]+)\"[^>]*#868e96");
    std::vector<Mark> lines_from;
    for (std::sregex_iterator it(svg.begin(), svg.end(), line), end; it != end;
         ++it) {
      lines_from.push_back({std::stod((*it)[1]), std::stod((*it)[2])});
    }
    for (const Label& label : Labels(svg)) {
      if (PanelOf(label) != 0 ||
          label.text.find_first_not_of("0123456789") != std::string::npos) {
        continue;
      }
      const std::size_t number = std::stoul(label.text);
      const Mark own = marks[points.size() - number];
      const auto distance = [&label](const Mark& m) {
        return std::hypot(m.x - std::clamp(m.x, label.left, label.right),
                          m.y - std::clamp(m.y, label.top, label.bottom));
      };
      bool nearest = true;
      for (const Mark& m : marks) {
        if (distance(m) < distance(own) - 0.5) nearest = false;
      }
      bool line_to_own = false;
      for (const Mark& m : lines_from) {
        line_to_own |= std::hypot(m.x - own.x, m.y - own.y) < 0.5;
      }
      EXPECT_TRUE(nearest || line_to_own)
          << "label " << label.text << " lies nearer to another point";
    }
  }
}

TEST(TouchdownSvgTest, OddInputsStillGiveAValidDocument) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (const auto& points : std::vector<std::vector<TOUCHDOWNVTX>>{
           {Point(0, 0, 0), Point(0, 0, 0), Point(0, 0, 0)},
           {Point(nan, 0, 1), Point(1e300, 0, 0), Point(0, 1e-300, 0)},
           {Point(0, -1, 2), Point(-1, -1, -1), Point(1, -1, -1),
            Point(0, std::numeric_limits<double>::infinity(), 0)}}) {
    report::TouchdownDrawing drawing;
    drawing.title = "odd";
    drawing.points = points;
    const std::string svg = report::DrawTouchdownSvg(drawing);
    EXPECT_EQ(XmlChecker(svg).Check(), "");
    EXPECT_EQ(svg.find("nan"), std::string::npos);
    EXPECT_EQ(svg.find("inf"), std::string::npos);
  }
}

}  // namespace
}  // namespace tools
