#ifndef VANTREL_TOOLS_SINGLE_VESSEL_H_
#define VANTREL_TOOLS_SINGLE_VESSEL_H_

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

#include "standin/session.h"

namespace tools {

// One vessel, as `vantrel show` and `vantrel drop` name it.
struct SingleVessel {
  std::filesystem::path root;             // host folder
  std::string name;                       // the vessel's name
  std::optional<std::string> class_name;  // its class; the name if unset
  std::optional<double> mass;             // kg; as `vantrel run` finds it
  std::string body;                       // the body it is landed on
  std::string plugin;                     // plug-in library to load
  // The files the host reads, owned by the caller; the disk when null.
  files::FileSystem* files = nullptr;
};

// Runs the plug-in on the vessel in the stand-in host, as `vantrel run` runs
// a scenario holding only that vessel until the sweep. Nothing, after
// saying why on `err` with `command`'s name, when the plug-in cannot run.
std::optional<standin::SessionResult> RunSingleVessel(
    const SingleVessel& vessel, const char* command, std::ostream& err);

}  // namespace tools

#endif  // VANTREL_TOOLS_SINGLE_VESSEL_H_
