#include "analysis/definition_reading.h"

#include "rules/point_reading.h"

namespace analysis {

CountReading ReadCount(const formats::ItemFile::Lookup& n) {
  using Result = formats::ItemFile::Lookup::Result;
  CountReading reading;
  reading.line = n.line;
  reading.text = n.value;
  if (n.result == Result::kNotFound) return reading;
  reading.verdict = CountReading::Verdict::kNoValue;
  if (n.result == Result::kEmptyValue) return reading;
  reading.verdict = CountReading::Verdict::kNotANumber;
  if (!formats::ParseItemInt(n.value, reading.n, &reading.wrapped)) {
    return reading;
  }
  switch (rules::JudgeCount(reading.n)) {
    case rules::CountVerdict::kTooFew:
      reading.verdict = CountReading::Verdict::kTooFew;
      break;
    case rules::CountVerdict::kTooMany:
      reading.verdict = CountReading::Verdict::kTooMany;
      break;
    case rules::CountVerdict::kCounts:
      reading.verdict = CountReading::Verdict::kCounts;
      break;
  }
  return reading;
}

std::optional<int> CountThatApplies(const formats::ItemFile& items) {
  const CountReading count = ReadCount(items.Find("N"));
  if (count.verdict != CountReading::Verdict::kCounts) return std::nullopt;
  return count.n;
}

namespace {

// The host's item reader on an item file, with the module's value buffer:
// each point as read goes into `points`.
class ItemFilePointReader {
 public:
  ItemFilePointReader(const formats::ItemFile& items,
                      std::vector<PointRead>& points)
      : items_(items), points_(points) {}

  void Fill(const char* text) {
    current_.text = text;
    current_.values = rules::ParsePoint(current_.text.c_str());
  }
  void Read(const char* key, int index) {
    current_.lookup = items_.Find(key);
    if (current_.lookup.result == formats::ItemFile::Lookup::Result::kFound) {
      current_.line = current_.lookup.line;
      current_.index = index;
      Fill(current_.lookup.value.c_str());
    }
  }
  void Take(int) { points_.push_back(current_); }

 private:
  const formats::ItemFile& items_;
  std::vector<PointRead>& points_;
  PointRead current_;
};

}  // namespace

std::vector<PointRead> ReadPoints(const formats::ItemFile& items, int count) {
  std::vector<PointRead> points;
  points.reserve(static_cast<std::size_t>(count));
  ItemFilePointReader reader(items, points);
  rules::ReadPointItems(count, reader);
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
  rules::Complete(vertices, [mass] { return mass; });
  return vertices;
}

}  // namespace analysis
