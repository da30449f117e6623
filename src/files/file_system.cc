#include "files/file_system.h"

namespace files {

FileSystem::Match FileSystem::ReadEntryIn(
    const std::filesystem::path::string_type& folder, const std::string& name,
    std::optional<std::string>& text) {
  Match match = FindEntryIn(folder, name);
  text.reset();
  if (match.entry) text = ReadFile(*match.entry, nullptr);
  return match;
}

std::optional<std::string> FileSystem::ReadIdentifiedFile(
    const std::filesystem::path& path, std::string* reason,
    std::optional<Identity>& identity) {
  std::optional<std::string> text = ReadFile(path, reason);
  identity.reset();
  if (text) identity = IdentityOf(path);
  return text;
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
  return target.parent_path() / ("vantrel-" + std::to_string(attempt) + ".tmp");
}

}  // namespace files
