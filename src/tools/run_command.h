#ifndef VANTREL_TOOLS_RUN_COMMAND_H_
#define VANTREL_TOOLS_RUN_COMMAND_H_

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "files/file_system.h"
#include "formats/vessel_mass.h"
#include "rules/sweep_step.h"
#include "standin/edition.h"
#include "tools/command.h"

namespace tools {

// The arguments of `vantrel run`.
struct RunArguments {
  std::optional<std::string> root;      // host folder
  std::vector<std::string> scenarios;   // scenario files, run in turn
  std::optional<std::string> log_file;  // copy of the log lines
  std::optional<std::string> plugin;    // plug-in library to load
  int steps = rules::kSweepStep;        // steps of each simulation
  standin::Edition edition = standin::Edition::k2016;
  bool quiet = false;  // print the summary alone
  // The empty mass of every vessel of a class, as its module would set it
  // in code.
  std::vector<formats::ClassMass> class_masses;
};

// Runs the scenarios one after another on the stand-in host, in one program
// run with the plug-in loaded once, reading through `files`, and prints the
// log and the vessels of each to `out`, then the unloading and, for several
// scenarios, a summary (the summary alone when `quiet`); problems to `err`.
// Without a root and a scenario it runs the bundled example. Returns an
// ExitCode.
int RunCommand(const RunArguments& arguments, files::FileSystem& files,
               std::ostream& out, std::ostream& err);

// `vantrel run` on the command line.
extern const Command kRunCommand;

}  // namespace tools

#endif  // VANTREL_TOOLS_RUN_COMMAND_H_
