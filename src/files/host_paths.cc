#include "host_paths.h"

#include <vector>

namespace standin {
namespace {

namespace fs = std::filesystem;

bool IsForbiddenInName(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  if (u < 32) return true;
  switch (c) {
    case '<':
    case '>':
    case ':':
    case '"':
    case '|':
    case '?':
    case '*':
      return true;
    default:
      return false;
  }
}

// Splits `relative` into the components it names below `base`, or nothing
// when it names no file there.
std::optional<std::vector<std::string>> SplitComponents(
    std::string_view relative) {
  std::vector<std::string> components;
  std::size_t start = 0;
  while (start <= relative.size()) {
    std::size_t end = relative.find_first_of("\\/", start);
    if (end == std::string_view::npos) end = relative.size();
    std::string component(relative.substr(start, end - start));
    start = end + 1;
    if (component == "." || component.empty()) continue;
    if (component == "..") {
      if (components.empty()) return std::nullopt;
      components.pop_back();
      continue;
    }
    while (!component.empty() &&
           (component.back() == '.' || component.back() == ' ')) {
      component.pop_back();
    }
    if (component.empty()) return std::nullopt;
    for (char c : component) {
      if (IsForbiddenInName(c)) return std::nullopt;
    }
    components.push_back(std::move(component));
  }
  return components;
}

}  // namespace

std::optional<fs::path> ResolveHostPath(FileSystem& files, const fs::path& base,
                                        std::string_view relative) {
  const auto components = SplitComponents(relative);
  if (!components) return std::nullopt;
  if (components->empty()) return base;

  // Most paths name a file in a folder whose path is spelled as on disk.
  // Every folder on the way is then the exactly spelled one, and only the
  // last component needs a search.
  fs::path folder = base;
  for (std::size_t i = 0; i + 1 < components->size(); ++i) {
    folder /= (*components)[i];
  }
  const FileSystem::Match match = files.FindEntry(folder, components->back());
  if (match.folder_found) return match.entry;

  fs::path current = base;
  for (const std::string& component : *components) {
    const auto entry = files.FindEntry(current, component).entry;
    if (!entry) return std::nullopt;
    current = *entry;
  }
  return current;
}

}  // namespace standin
