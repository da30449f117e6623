#ifndef VANTREL_STANDIN_HOST_LOG_H_
#define VANTREL_STANDIN_HOST_LOG_H_

#include <string>
#include <vector>

#include "file_system.h"

namespace standin {

// The host log: every line a module wrote, in order. The stand-in adds no
// time stamps and no lines of its own.
class HostLog {
 public:
  // Also appends every later line to `output`, which must outlive the log,
  // each ended as text files end lines on this platform ("\r\n" on
  // Windows, "\n" elsewhere).
  void WriteTo(FileSystem::Output* output) { output_ = output; }

  // Adds one line. The line goes to the output at once, so that it is
  // there even if the module brings the process down.
  void Add(std::string line);

  const std::vector<std::string>& lines() const { return lines_; }

 private:
  std::vector<std::string> lines_;
  FileSystem::Output* output_ = nullptr;
};

}  // namespace standin

#endif  // VANTREL_STANDIN_HOST_LOG_H_
