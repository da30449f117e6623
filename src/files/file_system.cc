#include "file_system.h"

namespace standin {

bool FileSystem::WriteOutput(const std::filesystem::path& target,
                             std::string_view text, std::string* reason) {
  std::unique_ptr<Output> output = CreateOutput(target, reason);
  if (!output) return false;
  output->Append(text);
  return output->Commit(reason);
}

std::filesystem::path FileSystem::TemporaryName(
    const std::filesystem::path& target, int attempt) {
  std::filesystem::path name = target;
  name += ".vantrel-" + std::to_string(attempt) + ".tmp";
  return name;
}

}  // namespace standin
