#ifndef VANTREL_TOOLS_CHECK_COMMAND_H_
#define VANTREL_TOOLS_CHECK_COMMAND_H_

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "files/file_system.h"
#include "tools/command.h"

namespace tools {

// The arguments of `vantrel check`.
struct CheckArguments {
  std::optional<std::string> root;  // host folder; the current one if unset
  std::vector<std::string> paths;   // files or folders; all of
                                    // ROOT/Config/Vantrel/ if empty
  bool json = false;                // --format json
  bool classes = false;  // --classes: the class files of ROOT/Config/Vessels/
};

// Checks definition files and vessel class files (those below a folder
// Config/Vessels), read from `files`, and prints one line per
// diagnostic (or a JSON document) to `out`, and problems with the command
// itself to `err`. Returns kExitOk when nothing was found, kExitFindings for
// warnings or errors, kExitInput when a file or folder could not be read.
int CheckCommand(const CheckArguments& arguments, files::FileSystem& files,
                 std::ostream& out, std::ostream& err);

// `vantrel check` on the command line.
extern const Command kCheckCommand;

}  // namespace tools

#endif  // VANTREL_TOOLS_CHECK_COMMAND_H_
