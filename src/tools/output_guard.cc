#include "tools/output_guard.h"

#include <array>
#include <utility>
#include <vector>

#include "files/folder_chain.h"
#include "files/host_paths.h"
#include "formats/item_file.h"
#include "formats/text_encoding.h"
#include "tools/exit_codes.h"
#if defined(_WIN32)
#include "files/windows_names.h"
#endif

namespace tools {
namespace {

namespace fs = std::filesystem;

struct Kind {
  const char* extension;
  const char* what;
};

constexpr std::array<Kind, 6> kInputKinds{{
    {".scn", "a scenario"},
    {".cfg", "a definition, class or configuration file"},
    {".msh", "a mesh"},
    {".dll", "a library"},
    {".so", "a library"},
    {".exe", "a program"},
}};

constexpr std::array<const char*, 4> kHostFolders{
    {"Config", "Scenarios", "Meshes", "Modules"}};

// Whether a file named `name` in the host folder is one of the simulator's
// own: a program or library, its configuration or its log.
bool IsHostOwnFile(const std::string& name) {
  const std::string folded = formats::FoldCase(name);
  const std::string extension = formats::FoldCase(
      formats::ShownPath(formats::PathOfHostText(name).extension()));
  return folded == "orbiter.cfg" || folded == "orbiter.log" ||
         extension == ".exe" || extension == ".dll";
}

// Says why `request` was refused, or nothing when it was not.
bool Refused(files::ReadRecorder& files, const OutputRequest& request,
             const fs::path& host_folder, std::ostream& err) {
  const auto refusal =
      OutputRefusal(files, formats::PathOfHostText(request.target), host_folder,
                    files.reads());
  if (!refusal) return false;
  err << request.command << ": refusing to write " << request.what << " to "
      << Quoted(request.target) << ": " << *refusal
      << "; nothing was written\n";
  if (!request.hint.empty()) err << "  " << request.hint << '\n';
  return true;
}

}  // namespace

std::unique_ptr<files::FileSystem::Output> OpenOutput(
    files::ReadRecorder& files, const OutputRequest& request,
    const fs::path& host_folder, std::ostream& err, int& exit_code) {
  if (Refused(files, request, host_folder, err)) {
    exit_code = kExitUsage;
    return nullptr;
  }
  std::string reason;
  auto output =
      files.CreateOutput(formats::PathOfHostText(request.target), &reason);
  if (!output) {
    err << request.target << ": cannot create " << request.what << ": "
        << reason << '\n';
    exit_code = kExitInput;
  }
  return output;
}

bool CommitOutput(files::ReadRecorder& files, files::FileSystem::Output& output,
                  const OutputRequest& request, const fs::path& host_folder,
                  std::ostream& err, int& exit_code) {
  if (Refused(files, request, host_folder, err)) {
    exit_code = kExitUsage;
    return false;
  }
  std::string reason;
  if (!output.Commit(&reason)) {
    err << request.target << ": cannot write " << request.what << ": " << reason
        << '\n';
    exit_code = kExitInput;
    return false;
  }
  return true;
}

std::optional<std::string> OutputRefusal(
    files::FileSystem& files, const fs::path& target,
    const fs::path& host_folder, const files::ReadRecorder::Identities& reads) {
  using files::FileSystem;
#if defined(_WIN32)
  if (auto change = files::WindowsNameChange(formats::ShownPath(target))) {
    return change;
  }
#endif
  // The target by what it is on disk.
  const auto identity = files.IdentityOf(target);
  if (identity && reads.count(*identity) == 1) {
    return std::string("this command reads it");
  }
  std::vector<std::string> names{formats::ShownPath(target.filename())};
  if (identity && files.TypeOf(target) == FileSystem::EntryType::kFile) {
    if (const auto final_path = files.FinalPath(target)) {
      names.push_back(formats::ShownPath(final_path->filename()));
    }
    const std::string extension = formats::FoldCase(
        formats::ShownPath(formats::PathOfHostText(names.back()).extension()));
    for (const Kind& kind : kInputKinds) {
      if (extension == kind.extension) {
        return std::string("it is an existing ") + kind.extension + " file (" +
               kind.what + "), which the simulator reads";
      }
    }
  }

  // The folders that hold it, compared with the host folder's own as the
  // simulator finds them, and, below the host folder, by name in any case
  // for those not there yet.
  const auto host = files.IdentityOf(host_folder);
  std::vector<std::pair<FileSystem::Identity, const char*>> host_folders;
  for (const char* folder : kHostFolders) {
    const auto path = files::ResolveHostPath(files, host_folder, folder);
    if (!path) continue;
    if (const auto found = files.IdentityOf(*path)) {
      host_folders.emplace_back(*found, folder);
    }
  }
  const auto lies_in = [](const char* folder) {
    return std::string("it lies in the host folder's ") + folder +
           " folder, which holds the simulator's own files";
  };
  const std::vector<files::ChainFolder> chain =
      files::FoldersHolding(files, target);
  for (std::size_t i = 0; i < chain.size(); ++i) {
    if (!chain[i].identity) continue;
    for (const auto& [folder_identity, folder] : host_folders) {
      if (*chain[i].identity == folder_identity) return lies_in(folder);
    }
    if (!host || *chain[i].identity != *host) continue;
    const std::string& below = i == 0 ? names.front() : chain[i - 1].name;
    for (const char* folder : kHostFolders) {
      if (formats::FoldFileName(below) == formats::FoldFileName(folder)) {
        return lies_in(folder);
      }
    }
    if (i > 0) continue;
    for (const std::string& name : names) {
      if (IsHostOwnFile(name)) {
        return "it lies in the host folder, whose programs and libraries "
               "(.exe, .dll), Orbiter.cfg and Orbiter.log are the "
               "simulator's own";
      }
    }
  }
  return std::nullopt;
}

bool LooksLikeScenario(const std::string& value) {
  return value.size() >= 4 &&
         formats::FoldCase(value.substr(value.size() - 4)) == ".scn";
}

std::string NewDrawingHint(const std::string& command, const std::string& svg) {
  const std::string file = formats::ShownPath(
      formats::PathOfHostText(svg).filename().replace_extension(".svg"));
  return "name a new file for the drawing:\n    " + command + " --svg " +
         Quoted(file);
}

std::string Quoted(const std::string& text) {
  // Plain names pass as they are in every shell; others are quoted.
  const bool plain =
      !text.empty() && text.find_first_not_of(
                           "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTU"
                           "VWXYZ0123456789._-/\\:") == std::string::npos;
  if (plain) return text;
  return '"' + text + '"';
}

}  // namespace tools
