#ifndef VANTREL_ANALYSIS_CLASS_FINDINGS_H_
#define VANTREL_ANALYSIS_CLASS_FINDINGS_H_

#include <filesystem>
#include <string>
#include <vector>

#include "analysis/diagnostic.h"
#include "files/file_system.h"

namespace analysis {

// What `vantrel check` says of one class's class file.
struct ClassFindings {
  std::string class_name;
  std::string class_file;  // as the host names it
  std::vector<Diagnostic> findings;
};

// A class and its class file as the host names it (empty when it has
// none).
struct ClassAndFile {
  std::string class_name;
  std::string class_file;
};

// Checks the class file of each of `classes` below the host folder `root`
// as `vantrel check --classes` does, once a file however many classes
// share it, in the order given; classes without a class file are left
// out.
std::vector<ClassFindings> CheckClassFiles(
    files::FileSystem& files, const std::filesystem::path& root,
    const std::vector<ClassAndFile>& classes);

}  // namespace analysis

#endif  // VANTREL_ANALYSIS_CLASS_FINDINGS_H_
