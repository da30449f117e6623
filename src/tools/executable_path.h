#ifndef VANTREL_TOOLS_EXECUTABLE_PATH_H_
#define VANTREL_TOOLS_EXECUTABLE_PATH_H_

#include <filesystem>

// The folder that holds the running program, or the current folder when the
// system cannot tell.
std::filesystem::path ExecutableFolder();

#endif  // VANTREL_TOOLS_EXECUTABLE_PATH_H_
