#include "definition_reading.h"

namespace tools {

std::optional<int> CountThatApplies(const standin::ItemFile& items) {
  const auto lookup = items.Find("N");
  int count = 0;
  if (lookup.result != standin::ItemFile::Lookup::Result::kFound ||
      !standin::ParseItemInt(lookup.value, count) ||
      rules::JudgeCount(count) != rules::CountVerdict::kCounts) {
    return std::nullopt;
  }
  return count;
}

std::vector<PointRead> ReadPoints(const standin::ItemFile& items, int count) {
  std::vector<PointRead> points;
  points.reserve(static_cast<std::size_t>(count));
  PointRead current;
  current.text = "0";
  current.values = rules::ParsePoint(current.text.c_str());
  for (long i = 1; i <= count; ++i) {
    current.lookup = items.Find("POINT_" + std::to_string(i));
    if (current.lookup.result == standin::ItemFile::Lookup::Result::kFound) {
      current.line = current.lookup.line;
      current.index = i;
      current.text = current.lookup.value;
      current.values = rules::ParsePoint(current.text.c_str());
    }
    points.push_back(current);
  }
  return points;
}

std::vector<TOUCHDOWNVTX> HandedOver(const std::vector<PointRead>& points,
                                     double mass) {
  std::vector<TOUCHDOWNVTX> vertices;
  vertices.reserve(points.size());
  for (std::size_t i = 0; i < points.size(); ++i) {
    vertices.push_back(
        rules::VertexOf(points[i].values, static_cast<int>(i) + 1));
  }
  if (vertices.empty()) return vertices;
  const TOUCHDOWNVTX first = vertices.front();
  if (rules::CompletesSprings(first)) rules::CompleteSprings(vertices, mass);
  if (rules::CompletesFriction(first)) rules::CompleteFriction(vertices);
  return vertices;
}

}  // namespace tools
