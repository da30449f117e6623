#include "vessel/starting_definition.h"

#include <cstdio>
#include <cstdlib>

#include "formats/number_text.h"
#include "rules/definition_rules.h"

namespace vessel {

namespace {

constexpr const char* kLineEnd = "\r\n";
// Comment lines are wrapped at this width; no line of the file is longer
// than kLongestLine, well within the host reader's 511 characters.
constexpr std::size_t kWrapWidth = 78;
constexpr std::size_t kLongestLine = 400;

// The shortest text that reads back as `value` ("%.17g" at most).
std::string Exact(double value) {
  value += 0.0;  // no "-0"
  char text[40];
  for (int digits = 1; digits <= 17; ++digits) {
    std::snprintf(text, sizeof text, "%.*g", digits, value);
    if (std::strtod(text, nullptr) == value) break;
  }
  return text;
}

// `text` fit for a comment: control characters become '?', and it is cut
// short, with "...", past `room` characters.
std::string CommentText(const std::string& text, std::size_t room) {
  std::string clean;
  for (char c : text) {
    clean += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
  }
  if (clean.size() > room) clean = clean.substr(0, room - 3) + "...";
  return clean;
}

// `text` as comment lines of at most kWrapWidth characters where its words
// allow.
std::string Comment(const std::string& text) {
  const std::string clean = CommentText(text, kLongestLine * 4);
  std::string lines, line = ";";
  std::size_t at = 0;
  while (at < clean.size()) {
    std::size_t end = clean.find(' ', at);
    if (end == std::string::npos) end = clean.size();
    const std::string word = clean.substr(at, end - at);
    at = end + 1;
    if (word.empty()) continue;
    if (line.size() > 1 && line.size() + 1 + word.size() > kWrapWidth) {
      lines += line + kLineEnd;
      line = ";";
    }
    line += " " + CommentText(word, kLongestLine - 2);
  }
  return lines + line + kLineEnd;
}

}  // namespace

std::string StartingDefinitionText(const std::string& key,
                                   const StartingSet& set,
                                   const std::vector<std::string>& notes) {
  const std::size_t count = set.points.size();
  std::string text =
      Comment("Touchdown points of " + key + ", made by vantrel init.");
  text += Comment(
      "Points 1-3 are the primary points, which set the ground "
      "plane and the resting height: " +
      set.primary_from + ".");
  if (count > 3) {
    text += Comment("Points 4-" + std::to_string(count) +
                    " are hull points, on which a vessel that tips over "
                    "rests instead of sinking through the ground: " +
                    set.hull_from +
                    "; groups that are not rendered are "
                    "left out.");
  }
  text += Comment(
      "Stiffness, damping and friction are 0 on purpose: the plug-in "
      "completes them from the vessel's mass, giving every point a "
      "stiffness of mass x " +
      formats::Shortest(rules::kGravity) + ", a damping of " +
      formats::Shortest(rules::kDampingRatio) +
      " of critical damping and friction " +
      formats::Fixed(rules::kDefaultFriction, 1) +
      ". Give point 1 values of its own to set them yourself (vantrel check "
      "explains every number).");
  for (const std::string& note : notes) text += Comment(note);
  text += "N = " + std::to_string(count) + kLineEnd;
  for (std::size_t i = 0; i < count; ++i) {
    const StartingPoint& p = set.points[i];
    // Points 1-3 take a longitudinal friction of their own; from point 4
    // on the host ignores a seventh number.
    std::string line = "POINT_" + std::to_string(i + 1) + " = " +
                       Exact(p.pos.x) + " " + Exact(p.pos.y) + " " +
                       Exact(p.pos.z) + (i < 3 ? " 0 0 0 0" : " 0 0 0");
    line += "  ; ";
    line += CommentText(p.origin, kLongestLine - line.size());
    text += line + kLineEnd;
  }
  return text;
}

}  // namespace vessel
