#include "formats/collision_hull.h"

#include <string>

#include "formats/item_file.h"

namespace formats {

namespace {

HullReading Fault(HullReading reading, HullReading::Fault fault, int line,
                  std::string_view text) {
  reading.fault = fault;
  reading.line = line;
  reading.text = std::string(text);
  reading.points.clear();
  return reading;
}

}  // namespace

HullReading ReadCollisionHull(std::string_view text) {
  using F = HullReading::Fault;
  const std::vector<std::string_view> lines =
      SplitItemLines(TextModeContent(text));
  HullReading reading;
  if (lines.empty()) return Fault(reading, F::kNoCount, 1, "");
  if (lines[0].size() >= HullReading::kLongLine) {
    return Fault(reading, F::kLongLine, 1, lines[0]);
  }
  if (!ParseItemInt(lines[0], reading.count)) {
    return Fault(reading, F::kNoCount, 1, lines[0]);
  }
  if (reading.count < 3) return Fault(reading, F::kCountTooSmall, 1, lines[0]);
  // Read one line at a time, so that a huge count costs nothing up front.
  for (int i = 1; i <= reading.count; ++i) {
    const std::size_t at = static_cast<std::size_t>(i);
    if (at >= lines.size()) {
      return Fault(reading, F::kMissingLine, i + 1, "");
    }
    const std::string_view line = lines[at];
    if (line.size() >= HullReading::kLongLine) {
      return Fault(reading, F::kLongLine, i + 1, line);
    }
    const std::vector<double> numbers = ParseItemReals(std::string(line), 7);
    if (numbers.size() < 3) return Fault(reading, F::kShortLine, i + 1, line);
    HullLine point;
    point.count = numbers.size();
    for (std::size_t k = 0; k < numbers.size(); ++k) {
      point.numbers[k] = numbers[k];
    }
    reading.points.push_back(point);
  }
  return reading;
}

}  // namespace formats
