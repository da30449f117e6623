#include "check_command.h"

#include <algorithm>
#include <filesystem>
#include <map>
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

// What a folder holds for the checker.
struct FolderEntries {
  std::vector<fs::path> files;    // every .cfg file below it, sorted
  std::vector<fs::path> folders;  // folders named like one, sorted
};

// The .cfg entries below `folder`, or nothing when it cannot be listed.
std::optional<FolderEntries> DefinitionEntries(const fs::path& folder) {
  std::error_code error;
  FolderEntries entries;
  fs::recursive_directory_iterator it(folder, error), end;
  if (error) return std::nullopt;
  for (; it != end; it.increment(error)) {
    if (error) return std::nullopt;
    if (!HasCfgExtension(it->path())) continue;
    if (it->is_regular_file(error)) {
      entries.files.push_back(it->path());
    } else if (it->is_directory(error)) {
      entries.folders.push_back(it->path());
    }
  }
  std::sort(entries.files.begin(), entries.files.end());
  std::sort(entries.folders.begin(), entries.folders.end());
  return entries;
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

// Windows matches names without regard to case, so two files whose paths
// differ only in case cannot both exist there: warns at the later one.
void CheckCaseDuplicates(const fs::path& folder,
                         const std::vector<fs::path>& files, CheckRun& run) {
  std::map<std::string, const fs::path*> first_of;
  for (const fs::path& file : files) {
    const std::string relative =
        file.lexically_relative(folder).generic_string();
    const auto [first, inserted] =
        first_of.emplace(standin::FoldCase(relative), &file);
    if (inserted) continue;
    run.diagnostics.push_back(
        {file.string(), 0, 0, Severity::kWarning,
         "differs only in case from " +
             first->second->lexically_relative(folder).generic_string() +
             "; on Windows the two cannot both exist, and the host reads "
             "only one of them",
         "case-duplicate"});
  }
}

void CheckFolder(const fs::path& folder, CheckRun& run) {
  const auto entries = DefinitionEntries(folder);
  if (!entries) {
    run.diagnostics.push_back({folder.string(), 0, 0, Severity::kError,
                               "cannot list the folder", "unreadable"});
    run.unreadable = true;
    return;
  }
  for (const fs::path& named : entries->folders) {
    run.diagnostics.push_back(
        {named.string(), 0, 0, Severity::kWarning,
         "is a folder, not a file; the host cannot read it as a definition",
         "not-a-file"});
  }
  CheckCaseDuplicates(folder, entries->files, run);
  for (const fs::path& file : entries->files) CheckFile(file, run);
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
