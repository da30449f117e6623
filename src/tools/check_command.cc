#include "check_command.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "definition_check.h"
#include "diagnostic_output.h"
#include "exit_codes.h"
#include "host_paths.h"
#include "item_file.h"

namespace {

namespace fs = std::filesystem;

bool HasCfgExtension(const fs::path& path) {
  return standin::FoldCase(path.extension().string()) == ".cfg";
}

// Every .cfg file below `folder`, sorted, or nothing when it cannot be
// listed.
std::optional<std::vector<fs::path>> DefinitionFiles(const fs::path& folder) {
  std::error_code error;
  std::vector<fs::path> files;
  fs::recursive_directory_iterator it(folder, error), end;
  if (error) return std::nullopt;
  for (; it != end; it.increment(error)) {
    if (error) return std::nullopt;
    if (it->is_regular_file(error) && HasCfgExtension(it->path())) {
      files.push_back(it->path());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

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

std::optional<std::string> ReadFile(const fs::path& path, std::string* reason) {
  std::error_code error;
  const bool exists = fs::exists(path, error);
  if (error) {
    // Not a missing file: a loop of links, say, or a folder without access.
    *reason = error.message();
    return std::nullopt;
  }
  if (!exists) {
    *reason = "no such file";
    return std::nullopt;
  }
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    *reason = "cannot open it for reading";
    return std::nullopt;
  }
  std::string text((std::istreambuf_iterator<char>(file)),
                   std::istreambuf_iterator<char>());
  if (file.bad()) {
    *reason = "reading it failed";
    return std::nullopt;
  }
  return text;
}

struct CheckRun {
  std::vector<Diagnostic> diagnostics;
  int files_checked = 0;
  bool unreadable = false;
};

void CheckFile(const fs::path& path, CheckRun& run) {
  const std::string name = path.string();
  std::string reason;
  const auto text = ReadFile(path, &reason);
  if (!text) {
    run.diagnostics.push_back({name, 0, 0, Severity::kError,
                               "cannot read the file: " + reason,
                               "unreadable"});
    run.unreadable = true;
    return;
  }
  ++run.files_checked;
  for (auto& d : CheckDefinitionFileName(name, PathBelowVantrel(path))) {
    run.diagnostics.push_back(std::move(d));
  }
  for (auto& d : CheckDefinition(name, *text)) {
    run.diagnostics.push_back(std::move(d));
  }
}

void CheckFolder(const fs::path& folder, CheckRun& run) {
  const auto files = DefinitionFiles(folder);
  if (!files) {
    run.diagnostics.push_back({folder.string(), 0, 0, Severity::kError,
                               "cannot list the folder", "unreadable"});
    run.unreadable = true;
    return;
  }
  for (const fs::path& file : *files) CheckFile(file, run);
}

}  // namespace

int CheckCommand(const CheckArguments& arguments, std::ostream& out,
                 std::ostream& err) {
  CheckRun run;
  if (arguments.paths.empty()) {
    const fs::path root = arguments.root.value_or(".");
    const auto folder = standin::ResolveHostPath(root, "Config\\Vantrel");
    std::error_code error;
    if (!folder || !fs::is_directory(*folder, error)) {
      err << (root / "Config" / "Vantrel").string()
          << ": no such folder; name the files to check, or the host folder "
             "with --root\n";
      return kExitInput;
    }
    CheckFolder(*folder, run);
  } else {
    for (const std::string& path : arguments.paths) {
      std::error_code error;
      if (fs::is_directory(path, error)) {
        CheckFolder(path, run);
      } else {
        CheckFile(path, run);
      }
    }
  }

  if (arguments.json) {
    PrintDiagnosticsJson(run.diagnostics, run.files_checked, out);
  } else {
    int errors = 0;
    for (const Diagnostic& d : run.diagnostics) {
      out << FormatDiagnostic(d) << '\n';
      if (d.severity == Severity::kError) ++errors;
    }
    err << run.files_checked << " file(s) checked: " << errors << " error(s), "
        << run.diagnostics.size() - errors << " warning(s)\n";
  }
  if (run.unreadable) return kExitInput;
  return run.diagnostics.empty() ? kExitOk : kExitFindings;
}
