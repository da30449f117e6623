#ifndef VANTREL_FILES_OPENABLE_PATH_H_
#define VANTREL_FILES_OPENABLE_PATH_H_

#include <filesystem>

namespace files {

// The path to hand to the system's calls for `path`. On Windows a path of
// MAX_PATH characters or more is opened only in its extended form, which
// takes paths of up to 32767 characters: such a path is made absolute as
// the system makes it (GetFullPathNameW: "..", "/" and the dots and spaces
// Windows drops are resolved) and given the prefix \\?\ (\\?\UNC\ for a
// network path). Shorter paths, paths in a device form already, and every
// path on Linux are handed on as they are.
#if defined(_WIN32)
std::filesystem::path OpenablePath(const std::filesystem::path& path);
#else
inline const std::filesystem::path& OpenablePath(
    const std::filesystem::path& path) {
  return path;
}
#endif

}  // namespace files

#endif  // VANTREL_FILES_OPENABLE_PATH_H_
