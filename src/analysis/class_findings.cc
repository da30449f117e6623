#include "analysis/class_findings.h"

#include <set>

#include "analysis/class_file_check.h"
#include "files/host_paths.h"
#include "formats/item_file.h"

namespace analysis {

std::vector<ClassFindings> CheckClassFiles(
    files::FileSystem& files, const std::filesystem::path& root,
    const std::vector<ClassAndFile>& classes) {
  std::vector<ClassFindings> checked;
  std::set<std::string> seen;
  for (const ClassAndFile& c : classes) {
    if (c.class_file.empty()) continue;
    if (!seen.insert(formats::FoldCase(c.class_file)).second) continue;
    const auto path = files::ResolveHostPath(files, root, c.class_file);
    if (!path) continue;
    checked.push_back(
        {c.class_name, c.class_file, CheckClassFile(files, root, *path)});
  }
  return checked;
}

}  // namespace analysis
