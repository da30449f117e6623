#include "check_command.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "definition_file_check.h"
#include "diagnostic_output.h"
#include "exit_codes.h"
#include "host_paths.h"
#include "item_file.h"

namespace tools {

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

struct CheckRun {
  std::vector<Diagnostic> diagnostics;
  int files_checked = 0;
  bool unreadable = false;
};

void CheckFile(const fs::path& path, CheckRun& run) {
  bool unreadable = false;
  for (auto& d : CheckDefinitionFile(path, &unreadable)) {
    run.diagnostics.push_back(std::move(d));
  }
  if (unreadable) {
    run.unreadable = true;
  } else {
    ++run.files_checked;
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

}  // namespace tools
