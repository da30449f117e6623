#ifndef VANTREL_ANALYSIS_CLASS_FILE_CHECK_H_
#define VANTREL_ANALYSIS_CLASS_FILE_CHECK_H_

#include <filesystem>
#include <vector>

#include "analysis/diagnostic.h"
#include "files/file_system.h"

namespace analysis {

// What `vantrel check` says about a vessel class file (Config/Vessels/X.cfg)
// read through `files`: its contact items as the host reads them, which it
// drops without a word when they are broken. A misspelt TouchdownPoints or
// CollisionHull, a TouchdownPoints without nine numbers, a CollisionHull
// the host rejects (the finding lies in the hull's own file where the fault
// does), and a hull that TouchdownPoints replaces. A hull is looked up
// below the host folder that holds the file's folder Config, else below
// `host_folder`. A file that cannot be read gives one error, coded
// "unreadable", and sets `*unreadable` when given.
std::vector<Diagnostic> CheckClassFile(files::FileSystem& files,
                                       const std::filesystem::path& host_folder,
                                       const std::filesystem::path& path,
                                       bool* unreadable = nullptr);

// Whether `path` lies in a folder Vessels below a folder Config (any
// case), where the host keeps class files.
bool IsClassFilePath(const std::filesystem::path& path);

}  // namespace analysis

#endif  // VANTREL_ANALYSIS_CLASS_FILE_CHECK_H_
