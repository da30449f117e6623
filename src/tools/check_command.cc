#include "check_command.h"

#include <filesystem>

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

struct CheckRun {
  standin::FileSystem& files;
  std::vector<Diagnostic> diagnostics;
  int files_checked = 0;
  bool unreadable = false;
};

void CheckFile(const fs::path& path, CheckRun& run) {
  const std::string name = path.string();
  std::string reason;
  const auto text = run.files.ReadFile(path, &reason);
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
  const auto files = run.files.FilesBelow(folder);
  if (!files) {
    run.diagnostics.push_back({folder.string(), 0, 0, Severity::kError,
                               "cannot list the folder", "unreadable"});
    run.unreadable = true;
    return;
  }
  for (const fs::path& file : *files) {
    if (HasCfgExtension(file)) CheckFile(file, run);
  }
}

}  // namespace

int CheckCommand(const CheckArguments& arguments, standin::FileSystem& files,
                 std::ostream& out, std::ostream& err) {
  CheckRun run{files, {}, 0, false};
  if (arguments.paths.empty()) {
    const fs::path root = arguments.root.value_or(".");
    const auto folder =
        standin::ResolveHostPath(files, root, "Config\\Vantrel");
    if (!folder ||
        files.TypeOf(*folder) != standin::FileSystem::EntryType::kFolder) {
      err << (root / "Config" / "Vantrel").string()
          << ": no such folder; name the files to check, or the host folder "
             "with --root\n";
      return kExitInput;
    }
    CheckFolder(*folder, run);
  } else {
    for (const std::string& path : arguments.paths) {
      if (files.TypeOf(path) == standin::FileSystem::EntryType::kFolder) {
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
