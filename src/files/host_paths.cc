#include "files/host_paths.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "formats/item_file.h"
#include "formats/text_encoding.h"

namespace files {
namespace {

namespace fs = std::filesystem;

// What a character of a host-relative path is to the splitting.
enum CharKind : unsigned char { kNameChar, kSeparator, kForbidden };

struct CharKinds {
  CharKind of[256];
};

constexpr CharKinds MakeCharKinds() {
  CharKinds kinds{};
  // Control characters and those Windows forbids in names.
  for (int c = 0; c < 32; ++c) kinds.of[c] = kForbidden;
  for (const char c : {'<', '>', ':', '"', '|', '?', '*'}) {
    kinds.of[static_cast<unsigned char>(c)] = kForbidden;
  }
  kinds.of[static_cast<unsigned char>('\\')] = kSeparator;
  kinds.of[static_cast<unsigned char>('/')] = kSeparator;
  return kinds;
}

constexpr CharKinds kCharKinds = MakeCharKinds();

// Adds one component of a path to `components`: "." and empty ones name
// nothing, ".." goes up. False when the path names no file.
bool TakeComponent(std::string_view component,
                   std::vector<std::string_view>& components) {
  if (component == "." || component.empty()) return true;
  if (component == "..") {
    if (components.empty()) return false;
    components.pop_back();
    return true;
  }
  while (!component.empty() &&
         (component.back() == '.' || component.back() == ' ')) {
    component.remove_suffix(1);
  }
  if (component.empty()) return false;
  components.push_back(component);
  return true;
}

// Splits `relative` into the components it names below `base`; false when
// it names no file there. The components are views into `relative`. A
// forbidden character fails the path wherever it stands: "." and ".." hold
// none, and trimming removes only dots and spaces.
bool SplitComponents(std::string_view relative,
                     std::vector<std::string_view>& components) {
  const auto kind = [relative](std::size_t i) {
    return kCharKinds.of[static_cast<unsigned char>(relative[i])];
  };
  std::size_t start = 0;
  for (std::size_t i = 0;; ++i) {
    while (i < relative.size() && kind(i) == kNameChar) ++i;
    if (i < relative.size() && kind(i) == kForbidden) return false;
    // At a separator or the end.
    if (!TakeComponent(relative.substr(start, i - start), components)) {
      return false;
    }
    if (i == relative.size()) return true;
    start = i + 1;
  }
}

// `base` / each of the first `count` components, as operator/= joins
// them, in `joined`. A component holds no separator and no root, so a
// separator goes before it exactly when the path so far ends in a name.
void JoinComponents(const fs::path& base,
                    const std::vector<std::string_view>& components,
                    std::size_t count, fs::path::string_type& joined) {
  // A name takes no more units in a path than the bytes of its host text.
  std::size_t size = base.native().size();
  for (std::size_t i = 0; i < count; ++i) size += 1 + components[i].size();
  joined.reserve(size);
  joined = base.native();
  bool separate = base.has_filename();
  for (std::size_t i = 0; i < count; ++i) {
    if (separate) joined += fs::path::preferred_separator;
    formats::AppendNativeOfHostText(components[i], joined);
    separate = true;
  }
}

// ResolveHostPath, with `find_last(folder, name)` in place of
// FindEntryIn for the last component of a path that names one.
template <typename FindLast>
std::optional<fs::path> Resolve(FileSystem& files, const fs::path& base,
                                std::string_view relative, FindLast find_last) {
  std::vector<std::string_view> components;
  // Room for the paths modules open, in one allocation.
  components.reserve(8);
  if (!SplitComponents(relative, components)) return std::nullopt;
  if (components.empty()) return base;

  // Most paths name a file in a folder whose path is spelled as on disk.
  // Every folder on the way is then the exactly spelled one, and only the
  // last component needs a search.
  fs::path::string_type joined;
  JoinComponents(base, components, components.size() - 1, joined);
  const std::string last(components.back());
  FileSystem::Match match = find_last(joined, last);
  if (match.folder_found) return std::move(match.entry);

  components.pop_back();
  fs::path current = base;
  for (const std::string_view component : components) {
    auto entry = files.FindEntry(current, std::string(component)).entry;
    if (!entry) return std::nullopt;
    current = std::move(*entry);
  }
  return std::move(find_last(current.native(), last).entry);
}

}  // namespace

std::optional<fs::path> ResolveHostPath(FileSystem& files, const fs::path& base,
                                        std::string_view relative) {
  return Resolve(
      files, base, relative,
      [&files](const fs::path::string_type& folder, const std::string& name) {
        return files.FindEntryIn(folder, name);
      });
}

std::optional<fs::path> ResolveAndReadHostPath(
    FileSystem& files, const fs::path& base, std::string_view relative,
    std::optional<std::string>& text) {
  // A path that names `base` itself leaves `text` empty: that is a folder.
  text.reset();
  return Resolve(files, base, relative,
                 [&files, &text](const fs::path::string_type& folder,
                                 const std::string& name) {
                   return files.ReadEntryIn(folder, name, text);
                 });
}

namespace {

bool EndsWithScn(const std::string& name) {
  return name.size() >= 4 &&
         formats::FoldCase(name.substr(name.size() - 4)) == ".scn";
}

}  // namespace

std::vector<ScenarioPlace> ScenarioPlaces(FileSystem& files,
                                          const std::string& name,
                                          const fs::path& root) {
  std::vector<std::string> spellings{name};
  if (!EndsWithScn(name)) spellings.push_back(name + ".scn");
  std::vector<ScenarioPlace> places;
  for (const std::string& spelling : spellings) {
    const fs::path path = formats::PathOfHostText(spelling);
    places.push_back({path, path});
  }
  for (const std::string& spelling : spellings) {
    const fs::path shown =
        root / "Scenarios" / formats::PathOfHostText(spelling);
    // An absolute name stays itself below the root: it is tried once.
    const auto same = [&shown](const ScenarioPlace& place) {
      return place.shown.lexically_normal() == shown.lexically_normal();
    };
    if (std::any_of(places.begin(), places.end(), same)) continue;
    places.push_back(
        {shown, ResolveHostPath(files, root, "Scenarios\\" + spelling)});
  }
  return places;
}

fs::path HostFolderOfScenario(const fs::path& scenario) {
  const fs::path absolute = fs::absolute(scenario).lexically_normal();
  for (fs::path folder = absolute.parent_path(); folder.has_relative_path();
       folder = folder.parent_path()) {
    if (formats::FoldCase(formats::ShownPath(folder.filename())) ==
        "scenarios") {
      return folder.parent_path();
    }
  }
  return fs::current_path();
}

std::string ScenarioName(const fs::path& file, const fs::path& folder) {
  std::string name = file.lexically_relative(folder).generic_string();
  for (char& c : name) c = c == '/' ? '\\' : c;
  return name.substr(0, name.size() - 4);
}

std::string PathBelowVantrel(const fs::path& file) {
  const fs::path absolute = fs::absolute(file).lexically_normal();
  std::vector<std::string> parts;
  for (const auto& part : absolute) parts.push_back(formats::ShownPath(part));
  for (std::size_t i = parts.size(); i-- > 1;) {
    if (formats::FoldCase(parts[i]) == "vantrel" &&
        formats::FoldCase(parts[i - 1]) == "config" && i + 1 < parts.size()) {
      std::string below = parts[i + 1];
      for (std::size_t j = i + 2; j < parts.size(); ++j) {
        below += '/' + parts[j];
      }
      return below;
    }
  }
  return formats::ShownPath(file.filename());
}

std::optional<fs::path> MakeHostFolders(FileSystem& files, const fs::path& base,
                                        std::string_view relative,
                                        std::string* error) {
  fs::path folder = base;
  std::size_t at = 0;
  while (at < relative.size()) {
    std::size_t end = relative.find('\\', at);
    if (end == std::string_view::npos) end = relative.size();
    const std::string name(relative.substr(at, end - at));
    at = end + 1;
    if (name.empty()) continue;
    const auto found = files.FindEntry(folder, name);
    if (found.entry &&
        files.TypeOf(*found.entry) == FileSystem::EntryType::kFolder) {
      folder = *found.entry;
      continue;
    }
    std::string reason;
    if (found.entry || !files.MakeFolder(folder / name, &reason)) {
      *error =
          (folder / name).string() + ": cannot make the folder: " +
          (found.entry ? "an entry that is not a folder has its name" : reason);
      return std::nullopt;
    }
    folder /= name;
  }
  return folder;
}

}  // namespace files
