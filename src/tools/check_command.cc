#include "tools/check_command.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <map>
#include <optional>

#include "analysis/class_file_check.h"
#include "analysis/definition_file_check.h"
#include "files/host_paths.h"
#include "formats/item_file.h"
#include "formats/text_encoding.h"
#include "report/diagnostic_output.h"
#include "tools/command_options.h"
#include "tools/exit_codes.h"
#include "tools/host_folder.h"

namespace tools {

namespace {

namespace fs = std::filesystem;

bool HasCfgExtension(const fs::path& path) {
  return formats::FoldCase(formats::ShownPath(path.extension())) == ".cfg";
}

struct CheckRun {
  files::FileSystem& files;
  fs::path root;  // the host folder
  std::vector<analysis::Diagnostic> diagnostics;
  int files_checked = 0;
  bool unreadable = false;
};

void CheckFile(const fs::path& path, CheckRun& run) {
  bool unreadable = false;
  for (auto& d :
       analysis::IsClassFilePath(path)
           ? analysis::CheckClassFile(run.files, run.root, path, &unreadable)
           : analysis::CheckDefinitionFile(run.files, path, &unreadable)) {
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
        formats::ShownPath(file.lexically_relative(folder));
    const auto [first, inserted] =
        first_of.emplace(formats::FoldFileName(relative), &file);
    if (inserted) continue;
    run.diagnostics.push_back(
        {formats::ShownPath(file), 0, 0, analysis::Severity::kWarning,
         "differs only in case from " +
             formats::ShownPath(first->second->lexically_relative(folder)) +
             "; on Windows the two cannot both exist, and the host reads "
             "only one of them",
         "case-duplicate"});
  }
}

analysis::Diagnostic FolderNamedCfg(const fs::path& folder) {
  return {formats::ShownPath(folder),
          0,
          0,
          analysis::Severity::kWarning,
          "is a folder, not a file; the host cannot read it as a definition",
          "not-a-file"};
}

// A file that looks meant as a definition but that the plug-in never
// reads, with why: Notepad's hidden ".txt" after ".cfg", or the letters of
// "cfg" swapped. The package's own "*.cfg.example" files are named so on
// purpose.
std::optional<analysis::Diagnostic> NearMiss(const fs::path& file) {
  const std::string name = formats::ShownPath(file.filename());
  const std::string folded = formats::FoldCase(name);
  const std::string extension =
      formats::FoldCase(formats::ShownPath(file.extension()));
  const bool notepad = folded.size() > 8 &&
                       folded.compare(folded.size() - 8, 8, ".cfg.txt") == 0;
  const bool transposed = extension == ".cgf" || extension == ".fcg";
  if (!notepad && !transposed) return std::nullopt;
  const std::string stem = name.substr(0, name.size() - (notepad ? 8 : 4));
  std::string message =
      "the plug-in never reads this file: only a name ending in .cfg is a "
      "definition";
  if (notepad) {
    message +=
        "; Windows hides known extensions, so a file saved in Notepad "
        "as \"" +
        stem + ".cfg\" can be named \"" + name + "\"";
  }
  message += "; rename it to " + stem + ".cfg";
  return analysis::Diagnostic{
      formats::ShownPath(file),     0,       0,
      analysis::Severity::kWarning, message, "not-a-definition-name"};
}

// Checks the definitions below `folder`; `named` when the user named the
// folder, who then learns when it holds none.
void CheckFolder(const fs::path& folder, bool named, CheckRun& run) {
  const auto entries = run.files.EntriesBelow(folder);
  if (!entries) {
    run.diagnostics.push_back({formats::ShownPath(folder), 0, 0,
                               analysis::Severity::kError,
                               "cannot list the folder", "unreadable"});
    run.unreadable = true;
    return;
  }
  std::vector<fs::path> files;
  for (const fs::path& file : entries->files) {
    if (HasCfgExtension(file)) {
      files.push_back(file);
    } else if (auto near_miss = NearMiss(file)) {
      run.diagnostics.push_back(std::move(*near_miss));
    }
  }
  for (const fs::path& named : entries->folders) {
    if (HasCfgExtension(named))
      run.diagnostics.push_back(FolderNamedCfg(named));
  }
  if (named && files.empty()) {
    run.diagnostics.push_back({formats::ShownPath(folder), 0, 0,
                               analysis::Severity::kWarning,
                               "is a folder without a .cfg file below it; "
                               "no definition was checked",
                               "no-definitions"});
  }
  CheckCaseDuplicates(folder, files, run);
  for (const fs::path& file : files) CheckFile(file, run);
}

}  // namespace

int CheckCommand(const CheckArguments& arguments, files::FileSystem& files,
                 std::ostream& out, std::ostream& err) {
  const fs::path root = HostFolder(arguments.root);
  CheckRun run{files, root, {}, 0, false};
  // The definitions by default; with --classes, the class files instead.
  if (arguments.paths.empty() || arguments.classes) {
    const char* below = arguments.classes ? "Vessels" : "Vantrel";
    const auto folder =
        files::ResolveHostPath(files, root, std::string("Config\\") + below);
    if (!folder ||
        files.TypeOf(*folder) != files::FileSystem::EntryType::kFolder) {
      err << formats::ShownPath(root / "Config" / below)
          << ": no such folder; name the files to check, or the host folder "
             "with --root\n";
      return kExitInput;
    }
    CheckFolder(*folder, false, run);
  }
  for (const std::string& given : arguments.paths) {
    const fs::path path = formats::PathOfHostText(given);
    if (files.TypeOf(path) == files::FileSystem::EntryType::kFolder) {
      if (HasCfgExtension(path))
        run.diagnostics.push_back(FolderNamedCfg(path));
      CheckFolder(path, true, run);
    } else {
      CheckFile(path, run);
    }
  }

  if (arguments.json) {
    report::PrintDiagnosticsJson(run.diagnostics, run.files_checked, out);
  } else {
    int errors = 0;
    for (const analysis::Diagnostic& d : run.diagnostics) {
      out << analysis::FormatProblem(d) << '\n';
      if (d.severity == analysis::Severity::kError) ++errors;
    }
    err << run.files_checked << " file(s) checked: " << errors << " error(s), "
        << run.diagnostics.size() - errors << " warning(s)\n";
  }
  if (run.unreadable) return kExitInput;
  return run.diagnostics.empty() ? kExitOk : kExitFindings;
}

namespace {

void AddCheckOptions(CLI::App& command, CheckArguments& arguments) {
  AddRootOption(command, arguments.root,
                "Host folder; by default every .cfg below DIR/Config/Vantrel/ "
                "is checked (default: .)");
  command
      .add_option_function<std::string>(
          "--format",
          [&arguments](const std::string& format) {
            arguments.json = format == "json";
          },
          "Output format")
      ->check(CLI::IsMember({"text", "json"}))
      ->default_str("text");
  command.add_flag("--classes", arguments.classes,
                   "Check the vessel class files of DIR/Config/Vessels/ "
                   "instead: their touchdown points as the host reads them");
  command
      .add_option("paths", arguments.paths,
                  "Definition or class files (those below Config/Vessels/), "
                  "or folders to search for .cfg files")
      ->type_name("PATH");
}

}  // namespace

const Command kCheckCommand = {
    "check",
    "Check definition files and report what the host and the module will "
    "make of them, one diagnostic per line. Exit code 0 clean, 1 warnings or "
    "errors found, 2 a file could not be read, 3 bad usage.",
    AddCommand<CheckArguments, CheckCommand, AddCheckOptions>};

}  // namespace tools
