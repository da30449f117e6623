#include "lookup_trace.h"

#include <string_view>
#include <utility>

#include "key_suggestion.h"
#include "point_reading.h"

namespace tools {

namespace {

// One read of a POINT item, as the host recorded it.
struct PointItemRead {
  long index = 0;  // the point the item's key names
  standin::ItemFile::Lookup lookup;
};

// The host's item reader as the record shows it: the module's value buffer
// given the recorded POINT reads of one file, in the order the module made
// them.
class RecordedPointReader {
 public:
  RecordedPointReader(const std::vector<PointItemRead>& reads,
                      std::vector<PointOrigin>& points)
      : reads_(reads), points_(points) {}

  void Fill(const char* text) { current_ = PointOrigin{0, 0, text}; }
  void Read(const char*, int i) {
    const PointItemRead& read = reads_[static_cast<std::size_t>(i - 1)];
    if (read.lookup.result == standin::ItemFile::Lookup::Result::kFound) {
      current_ = PointOrigin{read.lookup.line, read.index, read.lookup.value};
    }
  }
  void Take(int) { points_.push_back(current_); }

 private:
  const std::vector<PointItemRead>& reads_;
  std::vector<PointOrigin>& points_;
  PointOrigin current_;
};

}  // namespace

std::vector<FileAttempt> TraceLookup(
    const std::vector<standin::Session::FileEvent>& events,
    const standin::TouchdownSource& source) {
  using Kind = standin::Session::FileEvent::Kind;
  std::vector<FileAttempt> attempts;
  std::vector<std::vector<PointItemRead>> point_reads;
  for (const auto& event : events) {
    if (event.kind != Kind::kItemRead) {
      FileAttempt attempt;
      attempt.path = event.path;
      attempt.opened = event.kind == Kind::kOpened;
      attempt.disk_path = event.disk_path;
      attempts.push_back(std::move(attempt));
      point_reads.emplace_back();
      continue;
    }
    if (attempts.empty()) continue;
    FileAttempt& attempt = attempts.back();
    if (event.item == "N") {
      attempt.count_read = true;
      attempt.count = event.lookup;
    } else if (const auto index = PointIndexOfKey(event.item)) {
      point_reads.back().push_back({*index, event.lookup});
    }
  }
  for (std::size_t i = 0; i < attempts.size(); ++i) {
    RecordedPointReader reader(point_reads[i], attempts[i].points);
    rules::ReadPointItems(static_cast<int>(point_reads[i].size()), reader);
  }
  const std::size_t applied =
      source.kind == standin::TouchdownSource::Kind::kName ? 0 : 1;
  if (source.kind != standin::TouchdownSource::Kind::kOwn &&
      applied < attempts.size()) {
    attempts[applied].applied = true;
  }
  return attempts;
}

}  // namespace tools
