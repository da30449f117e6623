#ifndef VANTREL_TOOLS_SHOW_COMMAND_H_
#define VANTREL_TOOLS_SHOW_COMMAND_H_

#include <optional>
#include <ostream>
#include <string>

#include "files/file_system.h"
#include "tools/command.h"
#include "vessel/body_catalog.h"

namespace tools {

// The arguments of `vantrel show`.
struct ShowArguments {
  std::optional<std::string> root;        // host folder; the current one
  std::string name;                       // the vessel's name
  std::optional<std::string> class_name;  // its class; the name if unset
  std::optional<double> mass;  // kg; as `vantrel run` finds it if unset
  std::string body = vessel::kDefaultBody;  // the body it is landed on
  std::optional<double> gravity;            // m/s^2; the body file's if unset
  std::optional<std::string> svg;           // draw the points into this file
  std::optional<std::string> plugin;        // plug-in library to load
};

// Runs the plug-in on one vessel in the stand-in host, as `vantrel run` runs
// a scenario holding only that vessel, reading through `files`, and
// explains what the vessel got. Returns an ExitCode.
int ShowCommand(const ShowArguments& arguments, files::FileSystem& files,
                std::ostream& out, std::ostream& err);

// `vantrel show` on the command line.
extern const Command kShowCommand;

}  // namespace tools

#endif  // VANTREL_TOOLS_SHOW_COMMAND_H_
