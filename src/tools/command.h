#ifndef VANTREL_TOOLS_COMMAND_H_
#define VANTREL_TOOLS_COMMAND_H_

#include <functional>
#include <memory>
#include <ostream>

#include "files/file_system.h"

namespace CLI {
class App;
}

namespace tools {

// What runs a command once its command line is parsed: it reads through
// `files`, prints to `out` and its problems to `err`, and returns an
// ExitCode.
using CommandRun = std::function<int(files::FileSystem& files,
                                     std::ostream& out, std::ostream& err)>;

// One command of vantrel, as the command line lists it. Each command adds
// its own options and gives what runs it; the command line only picks the
// command named (as ninja's table of subtools does).
struct Command {
  const char* name;
  const char* description;
  // Adds the command's options to `command`, bound to arguments of its
  // own, and returns what runs the command with them.
  CommandRun (*add_options)(CLI::App& command);
};

// The add_options of a command that runs as `run` with its `Arguments`,
// which `add` binds to the command's options.
template <typename Arguments,
          int (*run)(const Arguments&, files::FileSystem&, std::ostream&,
                     std::ostream&),
          void (*add)(CLI::App&, Arguments&)>
CommandRun AddCommand(CLI::App& command) {
  auto arguments = std::make_shared<Arguments>();
  add(command, *arguments);
  return [arguments](files::FileSystem& files, std::ostream& out,
                     std::ostream& err) {
    return run(*arguments, files, out, err);
  };
}

}  // namespace tools

#endif  // VANTREL_TOOLS_COMMAND_H_
