#ifndef VANTREL_TOOLS_EXECUTABLE_PATH_H_
#define VANTREL_TOOLS_EXECUTABLE_PATH_H_

#include <filesystem>
#include <string>

namespace tools {

// The folder that holds the running program, or the current folder when the
// system cannot tell.
std::filesystem::path ExecutableFolder();

// The plug-in run and show load unless told otherwise:
// Modules/Plugin/Vantrel.dll (or .so) beside the running program.
std::string DefaultPluginPath();

}  // namespace tools

#endif  // VANTREL_TOOLS_EXECUTABLE_PATH_H_
