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
  shown_.push_back(line);
  lines_.push_back(std::move(line));
}

void HostLog::AddHostLine(std::string line) {
  shown_.push_back(std::move(line));
}

}  // namespace standin
