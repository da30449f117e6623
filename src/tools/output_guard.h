#ifndef VANTREL_TOOLS_OUTPUT_GUARD_H_
#define VANTREL_TOOLS_OUTPUT_GUARD_H_

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "files/file_system.h"
#include "files/read_recorder.h"

namespace tools {

// Why a command must not write a file of its own to `target`, or nothing
// when it may. A command never replaces what the simulator or the command
// itself reads:
//  - a file among `reads` (ReadRecorder::reads);
//  - an existing file ending in .scn, .cfg, .msh, .dll, .so or .exe, in any
//    case;
//  - any path below the Config, Scenarios, Meshes or Modules folder of
//    `host_folder`, existing or not;
//  - in `host_folder` itself, Orbiter.cfg, Orbiter.log and any .exe or .dll
//    file, existing or not.
// Each is decided by what the path names on disk, not by its spelling: the
// target by its identity and resolved name, the folders that hold it by
// their identities (FoldersHolding), so that links, drive aliases, short
// names, case and the extended forms of Windows meet the same answer. On
// Windows a name that Windows would change or that names a device is
// refused first (WindowsNameChange).
std::optional<std::string> OutputRefusal(
    files::FileSystem& files, const std::filesystem::path& target,
    const std::filesystem::path& host_folder,
    const files::ReadRecorder::Identities& reads);

// A file a command writes for the user.
struct OutputRequest {
  std::string command;  // "vantrel run"
  std::string what;     // "the log"
  std::string target;   // as the user named it
  // Said after a refusal: the command line the user most likely meant.
  std::string hint;
};

// The output `request` names, checked by OutputRefusal against the files
// read so far; or nothing after saying on `err` why not, with `exit_code`
// set: kExitUsage for a refusal, kExitInput when the file cannot be made.
std::unique_ptr<files::FileSystem::Output> OpenOutput(
    files::ReadRecorder& files, const OutputRequest& request,
    const std::filesystem::path& host_folder, std::ostream& err,
    int& exit_code);

// Checks `request` again against every file read since, then renames the
// finished output into place. False after saying why on `err`, with
// `exit_code` set as OpenOutput sets it; the old file, if any, is whole.
bool CommitOutput(files::ReadRecorder& files, files::FileSystem::Output& output,
                  const OutputRequest& request,
                  const std::filesystem::path& host_folder, std::ostream& err,
                  int& exit_code);

// True when `value` ends in ".scn" in any case: an option given a
// scenario's name, which the command most likely meant to run.
bool LooksLikeScenario(const std::string& value);

// The hint after a refused --svg: `command`, the command line the user gave
// without its --svg, drawing into a new file in the current folder named
// after `svg`.
std::string NewDrawingHint(const std::string& command, const std::string& svg);

// `text` as a command line shows it: in double quotes when it holds a
// blank.
std::string Quoted(const std::string& text);

}  // namespace tools

#endif  // VANTREL_TOOLS_OUTPUT_GUARD_H_
