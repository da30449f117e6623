#ifndef VANTREL_TOOLS_INIT_COMMAND_H_
#define VANTREL_TOOLS_INIT_COMMAND_H_

#include <optional>
#include <ostream>
#include <string>

#include "files/file_system.h"
#include "tools/command.h"
#include "vessel/body_catalog.h"

namespace tools {

// The arguments of `vantrel init`.
struct InitArguments {
  std::optional<std::string> root;        // host folder; the current one
  std::optional<std::string> class_name;  // the class to write a file for
  std::optional<std::string> name;        // or the vessel's name
  std::optional<std::string> mesh;        // the mesh file; else MeshName's
  std::optional<double> mass;  // kg for the drop test; the class file's
  std::string body = vessel::kDefaultBody;  // the body it is landed on
  std::optional<double> gravity;            // m/s^2; the body file's if unset
};

// Writes a new definition Config\Vantrel\<key>.cfg in the host folder, the
// key being the name when given, else the class: the primary points from
// the class file's TouchdownPoints, else from the mesh, and hull points from
// the mesh (see vessel::DeriveStartingSet), springs and friction left to the
// plug-in. The class file is the class's, or the name's when no class is
// given, as the host takes the name for the class. Never writes over an
// entry: a file already there, under any case of its name, is an error.
// After writing, prints what `vantrel check` and the drop test say of the
// file and the command that shows it. Returns kExitOk when the file was
// written and both find nothing to report, kExitFindings when it was
// written but they do, kExitInput when an input is missing or bad and
// kExitUsage for a bad command line or a file that exists; nothing is
// written then.
int InitCommand(const InitArguments& arguments, files::FileSystem& files,
                std::ostream& out, std::ostream& err);

// `vantrel init` on the command line.
extern const Command kInitCommand;

}  // namespace tools

#endif  // VANTREL_TOOLS_INIT_COMMAND_H_
