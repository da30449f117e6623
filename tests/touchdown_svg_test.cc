#include "touchdown_svg.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <limits>
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
  TouchdownDrawing drawing;
  drawing.title = "Tug/Mk2 <\"A&B\"> \xc3\xa9";
  drawing.points = {Point(0, -2, 4.5), Point(-3, -2, -3), Point(3, -2, -3),
                    Point(0, 3.5, -2)};
  drawing.origin_height = 1.9;
  const std::string svg = DrawTouchdownSvg(drawing);
  EXPECT_EQ(XmlChecker(svg).Check(), "");
  EXPECT_NE(svg.find("Tug/Mk2 &lt;&quot;A&amp;B&quot;&gt; ??"),
            std::string::npos);
  for (const char* title :
       {"Top view (x-z)", "Side view (z-y)", "Front view (x-y)", "x (m)",
        "y (m)", "z (m)", "centre of mass", "ground at rest"}) {
    EXPECT_NE(svg.find(title), std::string::npos) << title;
  }
  // One contact triangle per view; points 2 and 3 share a spot seen from
  // the side, and one label there.
  EXPECT_EQ(Count(svg, "<polygon"), 3);
  EXPECT_EQ(Count(svg, "\"stroke\">2,3</text>"), 1);
  EXPECT_EQ(Count(svg, "\"stroke\">4</text>"), 3);
}

TEST(TouchdownSvgTest, OddInputsStillGiveAValidDocument) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (const auto& points : std::vector<std::vector<TOUCHDOWNVTX>>{
           {Point(0, 0, 0), Point(0, 0, 0), Point(0, 0, 0)},
           {Point(nan, 0, 1), Point(1e300, 0, 0), Point(0, 1e-300, 0)},
           {Point(0, -1, 2), Point(-1, -1, -1), Point(1, -1, -1),
            Point(0, std::numeric_limits<double>::infinity(), 0)}}) {
    TouchdownDrawing drawing;
    drawing.title = "odd";
    drawing.points = points;
    const std::string svg = DrawTouchdownSvg(drawing);
    EXPECT_EQ(XmlChecker(svg).Check(), "");
    EXPECT_EQ(svg.find("nan"), std::string::npos);
    EXPECT_EQ(svg.find("inf"), std::string::npos);
  }
}

}  // namespace
}  // namespace tools
