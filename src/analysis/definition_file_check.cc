#include "definition_file_check.h"

#include <string>

#include "definition_check.h"
#include "item_file.h"
#include "text_encoding.h"

namespace tools {

namespace {

namespace fs = std::filesystem;

// The path of a file below a folder Config/Vantrel (any case), with '/'
// between folders; its file name when it lies elsewhere.
std::string PathBelowVantrel(const fs::path& file) {
  const fs::path absolute = fs::absolute(file).lexically_normal();
  std::vector<std::string> parts;
  for (const auto& part : absolute) parts.push_back(part.string());
  for (std::size_t i = parts.size(); i-- > 1;) {
    if (standin::FoldCase(parts[i]) == "vantrel" &&
        standin::FoldCase(parts[i - 1]) == "config" && i + 1 < parts.size()) {
      std::string below = parts[i + 1];
      for (std::size_t j = i + 2; j < parts.size(); ++j)
        below += '/' + parts[j];
      return below;
    }
  }
  return file.filename().string();
}

}  // namespace

std::vector<Diagnostic> CheckDefinitionFile(standin::FileSystem& files,
                                            const fs::path& path,
                                            bool* unreadable) {
  const std::string name = path.string();
  std::string reason;
  const auto text = files.ReadFile(path, &reason);
  if (!text) {
    if (unreadable != nullptr) *unreadable = true;
    return {{name, 0, 0, Severity::kError, "cannot read the file: " + reason,
             "unreadable"}};
  }
  std::vector<Diagnostic> found =
      CheckDefinitionFileName(name, PathBelowVantrel(path));
  // What the simulator makes of UTF-16 is noise: one error instead.
  if (const auto problem = standin::Utf16Problem(*text)) {
    found.push_back({name, 0, 0, Severity::kError, *problem, "utf-16"});
    return found;
  }
  for (auto& d : CheckDefinition(name, *text)) found.push_back(std::move(d));
  return found;
}

}  // namespace tools
