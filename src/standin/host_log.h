#ifndef VANTREL_STANDIN_HOST_LOG_H_
#define VANTREL_STANDIN_HOST_LOG_H_

#include <fstream>
#include <string>
#include <vector>

namespace standin {

// The host log: every line a module wrote, in order, and the host's own
// lines among them (the module line of each plug-in loaded). The stand-in
// adds no time stamps.
class HostLog {
 public:
  // Also writes every later line a module writes to `path`, each ended by
  // "\n" on every platform. False, and nothing changed, when the file cannot
  // be created.
  bool WriteTo(const std::string& path);

  // Adds one line a module wrote. The line is flushed to the file at once,
  // so that the file is complete even if the module brings the process down.
  void Add(std::string line);
  // Adds one line of the host's own; it is not written to the file.
  void AddHostLine(std::string line);

  // The lines modules wrote.
  const std::vector<std::string>& lines() const { return lines_; }
  // Every line, the host's included, as the host's log file shows them.
  const std::vector<std::string>& shown() const { return shown_; }

 private:
  std::vector<std::string> lines_;
  std::vector<std::string> shown_;
  std::ofstream file_;
};

}  // namespace standin

#endif  // VANTREL_STANDIN_HOST_LOG_H_
