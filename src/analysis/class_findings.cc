#include "class_findings.h"

#include <set>

#include "class_file_check.h"
#include "host_paths.h"
#include "item_file.h"

namespace tools {

std::vector<ClassFindings> CheckClassFiles(
    standin::FileSystem& files, const std::filesystem::path& root,
    const std::vector<ClassAndFile>& classes) {
  std::vector<ClassFindings> checked;
  std::set<std::string> seen;
  for (const ClassAndFile& c : classes) {
    if (c.class_file.empty()) continue;
    if (!seen.insert(standin::FoldCase(c.class_file)).second) continue;
    const auto path = standin::ResolveHostPath(files, root, c.class_file);
    if (!path) continue;
    checked.push_back(
        {c.class_name, c.class_file, CheckClassFile(files, root, *path)});
  }
  return checked;
}

}  // namespace tools
