#include "tools/asked_output.h"

namespace tools {

bool AskedOutput::Open(files::ReadRecorder& files,
                       const std::optional<OutputRequest>& request,
                       const std::filesystem::path& host_folder,
                       std::ostream& err, int& exit_code) {
  if (!request) return true;
  request_ = *request;
  output_ = OpenOutput(files, request_, host_folder, err, exit_code);
  return output_ != nullptr;
}

bool AskedOutput::Commit(files::ReadRecorder& files,
                         const std::filesystem::path& host_folder,
                         std::ostream& err, int& exit_code) {
  if (!output_) return true;
  return CommitOutput(files, *output_, request_, host_folder, err, exit_code);
}

}  // namespace tools
