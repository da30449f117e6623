#include "file_system.h"

namespace standin {

FileSystem::Match FileSystem::ReadEntryIn(
    const std::filesystem::path::string_type& folder, const std::string& name,
    std::optional<std::string>& text) {
  Match match = FindEntryIn(folder, name);
  text.reset();
  if (match.entry) text = ReadFile(*match.entry, nullptr);
  return match;
}

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
