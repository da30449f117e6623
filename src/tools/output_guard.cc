#include "output_guard.h"

#include <algorithm>
#include <array>
#include <system_error>

#include "exit_codes.h"
#include "item_file.h"
#include "text_encoding.h"

namespace tools {
namespace {

namespace fs = std::filesystem;

// `path` in a form that two names of one file share: absolute, links
// resolved as far as they exist, as host text with '/' between folders.
std::string Plain(const fs::path& path) {
  std::error_code error;
  fs::path resolved = fs::weakly_canonical(path, error);
  if (error) resolved = fs::absolute(path, error).lexically_normal();
  if (error) resolved = path.lexically_normal();
  std::string text = standin::ShownPath(resolved);
#if defined(_WIN32)
  std::replace(text.begin(), text.end(), '\\', '/');
#endif
  while (text.size() > 1 && text.back() == '/') text.pop_back();
  return text;
}

// Plain, and on Windows folded as its file system compares names.
std::string Comparable(const fs::path& path) {
#if defined(_WIN32)
  return standin::FoldFileName(Plain(path));
#else
  return Plain(path);
#endif
}

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

// Says why `request` was refused, or nothing when it was not.
bool Refused(standin::ReadRecorder& files, const OutputRequest& request,
             const fs::path& host_folder, std::ostream& err) {
  const auto refusal =
      OutputRefusal(files, standin::PathOfHostText(request.target), host_folder,
                    files.reads());
  if (!refusal) return false;
  err << request.command << ": refusing to write " << request.what << " to "
      << Quoted(request.target) << ": " << *refusal
      << "; nothing was written\n";
  if (!request.hint.empty()) err << "  " << request.hint << '\n';
  return true;
}

}  // namespace

std::unique_ptr<standin::FileSystem::Output> OpenOutput(
    standin::ReadRecorder& files, const OutputRequest& request,
    const fs::path& host_folder, std::ostream& err, int& exit_code) {
  if (Refused(files, request, host_folder, err)) {
    exit_code = kExitUsage;
    return nullptr;
  }
  std::string reason;
  auto output =
      files.CreateOutput(standin::PathOfHostText(request.target), &reason);
  if (!output) {
    err << request.target << ": cannot create " << request.what << ": "
        << reason << '\n';
    exit_code = kExitInput;
  }
  return output;
}

bool CommitOutput(standin::ReadRecorder& files,
                  standin::FileSystem::Output& output,
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
    standin::FileSystem& files, const fs::path& target,
    const fs::path& host_folder, const standin::ReadRecorder::Paths& reads) {
  const std::string wanted = Comparable(target);
  for (const auto& read : reads) {
    if (Comparable(fs::path(read)) == wanted) {
      return std::string("this command reads it");
    }
  }

  if (files.TypeOf(target) == standin::FileSystem::EntryType::kFile) {
    const std::string extension =
        standin::FoldCase(standin::ShownPath(target.extension()));
    for (const Kind& kind : kInputKinds) {
      if (extension == kind.extension) {
        return std::string("it is an existing ") + kind.extension + " file (" +
               kind.what + "), which the simulator reads";
      }
    }
  }

  // The host's folders, in any case, as the simulator finds them.
  const std::string host = Plain(host_folder);
  const std::string place = standin::FoldFileName(Plain(target));
  for (const char* folder : kHostFolders) {
    const std::string below = standin::FoldFileName(host + '/' + folder + '/');
    if (place.compare(0, below.size(), below) == 0) {
      return std::string("it lies in the host folder's ") + folder +
             " folder, which holds the simulator's own files";
    }
  }
  return std::nullopt;
}

bool LooksLikeScenario(const std::string& value) {
  return value.size() >= 4 &&
         standin::FoldCase(value.substr(value.size() - 4)) == ".scn";
}

std::string NewDrawingHint(const std::string& command, const std::string& svg) {
  const std::string file = standin::ShownPath(
      standin::PathOfHostText(svg).filename().replace_extension(".svg"));
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
