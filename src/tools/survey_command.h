#ifndef VANTREL_TOOLS_SURVEY_COMMAND_H_
#define VANTREL_TOOLS_SURVEY_COMMAND_H_

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "files/file_system.h"
#include "formats/vessel_mass.h"
#include "tools/command.h"

namespace tools {

// The arguments of `vantrel survey`.
struct SurveyArguments {
  std::optional<std::string> root;    // host folder; the current one
  bool json = false;                  // print JSON instead of the table
  std::optional<std::string> html;    // also write the page to this file
  std::optional<std::string> plugin;  // plug-in library to load
  // --mass CLASS=KG: the empty mass of every vessel of a class.
  std::vector<formats::ClassMass> class_masses;
};

// Runs every scenario below the host folder's Scenarios folder through the
// plug-in, in one program run as `vantrel run` runs several, reading
// through `files`, and prints
// each vessel class they use: its scenarios and vessels, the definition
// that applied and what `vantrel check` says of it, the mass and where it
// came from, and the drop test's verdict without and with the definition.
// A scenario that cannot be read is left out, and said so. Returns an
// ExitCode: kExitOk, kExitInput when a scenario was left out.
int SurveyCommand(const SurveyArguments& arguments, files::FileSystem& files,
                  std::ostream& out, std::ostream& err);

// `vantrel survey` on the command line.
extern const Command kSurveyCommand;

}  // namespace tools

#endif  // VANTREL_TOOLS_SURVEY_COMMAND_H_
