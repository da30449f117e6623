#ifndef VANTREL_TOOLS_ASKED_OUTPUT_H_
#define VANTREL_TOOLS_ASKED_OUTPUT_H_

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string_view>

#include "files/file_system.h"
#include "files/read_recorder.h"
#include "tools/output_guard.h"

namespace tools {

// A file the user asked a command to write besides what it prints (--log,
// --svg, --html). It is opened before the command's work, so that a refusal
// stops the command before anything runs, and put in place at its end.
class AskedOutput {
 public:
  // Opens the target of `request` as OpenOutput does; nothing to open when
  // the user asked for no file (`request` empty). False after saying why,
  // with `exit_code` set.
  bool Open(files::ReadRecorder& files,
            const std::optional<OutputRequest>& request,
            const std::filesystem::path& host_folder, std::ostream& err,
            int& exit_code);

  // Whether a file was asked for, and is open.
  explicit operator bool() const { return output_ != nullptr; }
  files::FileSystem::Output* get() const { return output_.get(); }

  // Puts the file in place as CommitOutput does; a failed append fails it.
  // True when no file was asked for.
  bool Commit(files::ReadRecorder& files,
              const std::filesystem::path& host_folder, std::ostream& err,
              int& exit_code);

 private:
  OutputRequest request_;
  std::unique_ptr<files::FileSystem::Output> output_;
};

}  // namespace tools

#endif  // VANTREL_TOOLS_ASKED_OUTPUT_H_
