#include "lookup_trace.h"

#include <string_view>

#include "key_suggestion.h"

namespace tools {

std::vector<FileAttempt> TraceLookup(
    const std::vector<standin::Session::FileEvent>& events,
    const standin::TouchdownSource& source) {
  using Kind = standin::Session::FileEvent::Kind;
  using Result = standin::ItemFile::Lookup::Result;
  std::vector<FileAttempt> attempts;
  PointOrigin current;
  for (const auto& event : events) {
    if (event.kind != Kind::kItemRead) {
      FileAttempt attempt;
      attempt.path = event.path;
      attempt.opened = event.kind == Kind::kOpened;
      attempt.disk_path = event.disk_path;
      attempts.push_back(std::move(attempt));
      // The module's value buffer starts as "0" for every file.
      current = PointOrigin{0, 0, "0"};
      continue;
    }
    if (attempts.empty()) continue;
    FileAttempt& attempt = attempts.back();
    if (event.item == "N") {
      attempt.count_read = true;
      attempt.count = event.lookup;
    } else if (const auto index = PointIndexOfKey(event.item)) {
      if (event.lookup.result == Result::kFound) {
        current = PointOrigin{event.lookup.line, *index, event.lookup.value};
      }
      attempt.points.push_back(current);
    }
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
