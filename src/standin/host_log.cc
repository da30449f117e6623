#include "host_log.h"

#include <utility>

namespace standin {

namespace {

#if defined(_WIN32)
constexpr const char* kLineEnd = "\r\n";
#else
constexpr const char* kLineEnd = "\n";
#endif

}  // namespace

void HostLog::Add(std::string line) {
  if (output_ != nullptr) output_->Append(line + kLineEnd);
  lines_.push_back(std::move(line));
}

void HostLog::AddHostLine(std::string line) {
  host_lines_.emplace_back(lines_.size(), std::move(line));
}

std::vector<std::string> HostLog::shown(std::size_t first) const {
  std::vector<std::string> shown;
  if (first >= shown_count()) return shown;
  shown.reserve(shown_count() - first);
  // Lines are counted as shown: the i-th module line comes after the host
  // lines written before it.
  std::size_t position = 0;
  auto host_line = host_lines_.begin();
  const auto take = [&](const std::string& line) {
    if (position++ >= first) shown.push_back(line);
  };
  for (std::size_t i = 0; i <= lines_.size(); ++i) {
    for (; host_line != host_lines_.end() && host_line->first == i;
         ++host_line) {
      take(host_line->second);
    }
    if (i < lines_.size()) take(lines_[i]);
  }
  return shown;
}

}  // namespace standin
