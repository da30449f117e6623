#ifndef VANTREL_STANDIN_HOST_LOG_H_
#define VANTREL_STANDIN_HOST_LOG_H_

#include <cstdarg>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "files/file_system.h"

namespace standin {

// The host log: every line a module wrote, in order, and the host's own
// lines among them (the module line of each plug-in loaded). The stand-in
// adds no time stamps. A module may write several lines on every update of
// every vessel, so its lines are kept in one block of text, each once,
// already ended as the log file ends them.
class HostLog {
 public:
  // Also appends every later line to `output`, which must outlive the log,
  // each ended as text files end lines on this platform ("\r\n" on
  // Windows, "\n" elsewhere).
  void WriteTo(files::FileSystem::Output* output) { output_ = output; }

  // Adds one line a module wrote, formatted as AppendLogLine formats it. It
  // goes to the output at once, so that it is there even if the module
  // brings the process down.
  void AddFormatted(const char* format, va_list args);
  // Adds one line of the host's own; it is not written to the file.
  void AddHostLine(std::string line);

  // The number of lines modules wrote.
  std::size_t line_count() const { return ends_.size(); }
  // The lines modules wrote, copied.
  std::vector<std::string> lines() const;
  // Every line from the `first` on (counted from 0), the host's included,
  // as the host's log file shows them.
  std::vector<std::string> shown(std::size_t first = 0) const;
  // The number of lines shown() holds.
  std::size_t shown_count() const { return ends_.size() + host_lines_.size(); }

 private:
  // The `index`-th module line (counted from 0, below line_count()), valid
  // until the next line is added.
  std::string_view line(std::size_t index) const;

  // The module lines, each followed by its line end, and where each ends,
  // its line end included.
  std::string text_;
  std::vector<std::size_t> ends_;
  // The host's lines, each with the number of module lines before it.
  std::vector<std::pair<std::size_t, std::string>> host_lines_;
  files::FileSystem::Output* output_ = nullptr;
};

}  // namespace standin

#endif  // VANTREL_STANDIN_HOST_LOG_H_
