#ifndef VANTREL_TOOLS_DROP_COMMAND_H_
#define VANTREL_TOOLS_DROP_COMMAND_H_

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "files/file_system.h"
#include "tools/command.h"
#include "vessel/body_catalog.h"

namespace tools {

// The arguments of `vantrel drop`.
struct DropArguments {
  std::optional<std::string> root;        // host folder; the current one
  std::optional<std::string> name;        // the vessel's name
  std::optional<std::string> class_name;  // its class
  std::optional<double> mass;             // kg; from its files if unset
  std::optional<std::string> definition;  // a definition file to try
  std::vector<double> pmi;                // three moments of inertia / mass
  std::optional<double> size;             // m
  double fps = 60.0;
  double warp = 1.0;
  double height = 0.5;  // m, the lowest point above the ground at release
  double seconds = 30.0;
  std::string body = vessel::kDefaultBody;  // the body it is landed on
  std::optional<double> gravity;            // m/s^2; the body file's if unset
  // The terrain's slope (degrees); given, the report tells how the vessel
  // fares on it.
  std::optional<double> slope;
  double downhill = 0.0;  // degrees from the nose towards the right side
  bool landed = false;    // start as the host puts a landed vessel down
  // Start on its own points and switch in the frame of the plug-in's sweep.
  bool switch_points = false;
  bool json = false;
  std::optional<std::string> svg;     // draw the drop into this file
  std::optional<std::string> plugin;  // plug-in library to load
};

// Drops a vessel onto flat ground (or a slope) with the host's
// ground-contact model,
// once on its own points ("before") and once on the definition's
// ("after"), reading through `files`, and reports what the host will do.
// Returns an ExitCode.
int DropCommand(const DropArguments& arguments, files::FileSystem& files,
                std::ostream& out, std::ostream& err);

// `vantrel drop` on the command line.
extern const Command kDropCommand;

}  // namespace tools

#endif  // VANTREL_TOOLS_DROP_COMMAND_H_
