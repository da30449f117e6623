#ifndef VANTREL_TOOLS_RUN_COMMAND_H_
#define VANTREL_TOOLS_RUN_COMMAND_H_

#include <optional>
#include <ostream>
#include <string>

namespace tools {

// The arguments of `vantrel run`.
struct RunArguments {
  std::optional<std::string> root;      // host folder
  std::optional<std::string> scenario;  // scenario file
  std::optional<std::string> log_file;  // copy of the log lines
  std::optional<std::string> plugin;    // plug-in library to load
  int steps = 10;
};

// Runs a scenario on the stand-in host with the plug-in loaded, and prints
// the log and the vessels to `out`, problems to `err`. Without a root and a
// scenario it runs the bundled example. Returns an ExitCode.
int RunCommand(const RunArguments& arguments, std::ostream& out,
               std::ostream& err);

}  // namespace tools

#endif  // VANTREL_TOOLS_RUN_COMMAND_H_
