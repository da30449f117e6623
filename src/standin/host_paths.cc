#include "host_paths.h"

#include <system_error>
#include <vector>

#include "item_file.h"

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

// The entry of `folder` whose name is `name` without regard to case.
std::optional<fs::path> FindEntry(const fs::path& folder,
                                  const std::string& name) {
  std::error_code error;
  const fs::path exact = folder / name;
  if (fs::symlink_status(exact, error).type() != fs::file_type::not_found &&
      !error) {
    return exact;
  }
  const std::string folded = FoldCase(name);
  std::optional<fs::path> best;
  for (fs::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    const fs::path candidate = it->path();
    if (FoldCase(candidate.filename().string()) != folded) continue;
    if (!best || candidate.filename() < best->filename()) best = candidate;
  }
  return best;
}

}  // namespace

std::optional<fs::path> ResolveHostPath(const fs::path& base,
                                        std::string_view relative) {
  const auto components = SplitComponents(relative);
  if (!components) return std::nullopt;
  fs::path current = base;
  for (const std::string& component : *components) {
    const auto entry = FindEntry(current, component);
    if (!entry) return std::nullopt;
    current = *entry;
  }
  return current;
}

}  // namespace standin
