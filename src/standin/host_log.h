#ifndef VANTREL_STANDIN_HOST_LOG_H_
#define VANTREL_STANDIN_HOST_LOG_H_

#include <string>
#include <vector>

#include "file_system.h"

namespace standin {

// The host log: every line a module wrote, in order, and the host's own
// lines among them (the module line of each plug-in loaded). The stand-in
// adds no time stamps.
class HostLog {
 public:
  // Also appends every later line to `output`, which must outlive the log,
  // each ended as text files end lines on this platform ("\r\n" on
  // Windows, "\n" elsewhere).
  void WriteTo(FileSystem::Output* output) { output_ = output; }

  // Adds one line a module wrote. It goes to the output at once, so that it is
  // there even if the module brings the process down.
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
  FileSystem::Output* output_ = nullptr;
};

}  // namespace standin

#endif  // VANTREL_STANDIN_HOST_LOG_H_
