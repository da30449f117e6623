#include "definition_file_check.h"

#include <string>

#include "definition_check.h"
#include "host_paths.h"
#include "item_file.h"
#include "text_encoding.h"

namespace tools {

namespace fs = std::filesystem;

std::vector<Diagnostic> CheckDefinitionFile(standin::FileSystem& files,
                                            const fs::path& path,
                                            bool* unreadable) {
  const std::string name = standin::ShownPath(path);
  std::string reason;
  const auto text = files.ReadFile(path, &reason);
  if (!text) {
    if (unreadable != nullptr) *unreadable = true;
    return {{name, 0, 0, Severity::kError, "cannot read the file: " + reason,
             "unreadable"}};
  }
  std::vector<Diagnostic> found =
      CheckDefinitionFileName(name, standin::PathBelowVantrel(path));
  // What the simulator makes of UTF-16 is noise: one error instead.
  if (const auto problem = standin::Utf16Problem(*text)) {
    found.push_back({name, 0, 0, Severity::kError, *problem, "utf-16"});
    return found;
  }
  for (auto& d : CheckDefinition(name, *text)) found.push_back(std::move(d));
  return found;
}

}  // namespace tools
