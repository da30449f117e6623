#ifndef VANTREL_STANDIN_HOST_LOG_H_
#define VANTREL_STANDIN_HOST_LOG_H_

#include <fstream>
#include <string>
#include <vector>

namespace standin {

// The host log: every line a module wrote, in order. The stand-in adds no
// time stamps and no lines of its own.
class HostLog {
 public:
  // Also writes every later line to `path`, each ended by "\n" on every
  // platform. False, and nothing changed, when the file cannot be created.
  bool WriteTo(const std::string& path);

  // Adds one line. The line is flushed to the file at once, so that the file
  // is complete even if the module brings the process down.
  void Add(std::string line);

  const std::vector<std::string>& lines() const { return lines_; }

 private:
  std::vector<std::string> lines_;
  std::ofstream file_;
};

}  // namespace standin

#endif  // VANTREL_STANDIN_HOST_LOG_H_
