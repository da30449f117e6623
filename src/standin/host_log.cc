#include "host_log.h"

#include <utility>

namespace standin {

bool HostLog::WriteTo(const std::string& path) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) return false;
  file_ = std::move(file);
  return true;
}

void HostLog::Add(std::string line) {
  if (file_.is_open()) {
    file_ << line << '\n';
    file_.flush();
  }
  shown_.push_back(line);
  lines_.push_back(std::move(line));
}

void HostLog::AddHostLine(std::string line) {
  shown_.push_back(std::move(line));
}

}  // namespace standin
