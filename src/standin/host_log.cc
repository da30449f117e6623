#include "standin/host_log.h"

#include <utility>

#include "formats/log_format.h"

namespace standin {

namespace {

#if defined(_WIN32)
constexpr std::string_view kLineEnd = "\r\n";
#else
constexpr std::string_view kLineEnd = "\n";
#endif

}  // namespace

void HostLog::AddFormatted(const char* format, va_list args) {
  const std::size_t start = text_.size();
  formats::AppendLogLine(format, args, text_);
  text_.append(kLineEnd.data(), kLineEnd.size());
  ends_.push_back(text_.size());
  if (output_ != nullptr) {
    output_->Append(std::string_view(text_).substr(start));
  }
}

void HostLog::AddHostLine(std::string line) {
  host_lines_.emplace_back(ends_.size(), std::move(line));
}

std::string_view HostLog::line(std::size_t index) const {
  const std::size_t start = index == 0 ? 0 : ends_[index - 1];
  return std::string_view(text_).substr(start,
                                        ends_[index] - start - kLineEnd.size());
}

std::vector<std::string> HostLog::lines() const {
  std::vector<std::string> lines;
  lines.reserve(ends_.size());
  for (std::size_t i = 0; i < ends_.size(); ++i) lines.emplace_back(line(i));
  return lines;
}

std::vector<std::string> HostLog::shown(std::size_t first) const {
  std::vector<std::string> shown;
  if (first >= shown_count()) return shown;
  shown.reserve(shown_count() - first);
  // Lines are counted as shown: the i-th module line comes after the host
  // lines written before it.
  std::size_t position = 0;
  auto host_line = host_lines_.begin();
  const auto take = [&](std::string_view line) {
    if (position++ >= first) shown.emplace_back(line);
  };
  for (std::size_t i = 0; i <= ends_.size(); ++i) {
    for (; host_line != host_lines_.end() && host_line->first == i;
         ++host_line) {
      take(host_line->second);
    }
    if (i < ends_.size()) take(line(i));
  }
  return shown;
}

}  // namespace standin
