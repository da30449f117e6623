#include "analysis/definition_file_check.h"

#include <string>

#include "analysis/definition_check.h"
#include "files/host_paths.h"
#include "formats/item_file.h"
#include "formats/text_encoding.h"

namespace analysis {

namespace fs = std::filesystem;

std::vector<Diagnostic> CheckDefinitionFile(files::FileSystem& files,
                                            const fs::path& path,
                                            bool* unreadable) {
  const std::string name = formats::ShownPath(path);
  std::string reason;
  const auto text = files.ReadFile(path, &reason);
  if (!text) {
    if (unreadable != nullptr) *unreadable = true;
    return {{name, 0, 0, Severity::kError, "cannot read the file: " + reason,
             "unreadable"}};
  }
  std::vector<Diagnostic> found =
      CheckDefinitionFileName(name, files::PathBelowVantrel(path));
  // What the simulator makes of UTF-16 is noise: one error instead.
  if (const auto problem = formats::Utf16Problem(*text)) {
    found.push_back({name, 0, 0, Severity::kError, *problem, "utf-16"});
    return found;
  }
  for (auto& d : CheckDefinition(name, *text)) found.push_back(std::move(d));
  return found;
}

}  // namespace analysis
