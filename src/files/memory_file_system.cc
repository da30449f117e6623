#include "files/memory_file_system.h"

#include <algorithm>
#include <functional>
#include <iterator>
#include <utility>

#include "formats/text_encoding.h"

namespace files {
namespace {

namespace fs = std::filesystem;

// The folder holding `key` and the entry's name in it; the folder is empty
// for a key without a parent.
std::pair<std::string, std::string> SplitKey(const std::string& key) {
  const std::size_t slash = key.rfind('/');
  if (slash == std::string::npos) return {"", key};
  return {slash == 0 ? "/" : key.substr(0, slash), key.substr(slash + 1)};
}

bool IsBelow(const std::string& key, const std::string& folder) {
  const std::string prefix = folder == "/" ? folder : folder + '/';
  return key.size() > prefix.size() &&
         key.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

class MemoryFileSystem::MemoryOutput : public FileSystem::Output {
 public:
  MemoryOutput(MemoryFileSystem& files, fs::path temporary, fs::path target)
      : files_(files),
        temporary_(std::move(temporary)),
        target_(std::move(target)) {}
  ~MemoryOutput() override {
    if (!committed_) files_.Remove(temporary_);
  }

  bool Append(std::string_view text) override {
    const auto file = files_.files_.find(Key(temporary_));
    if (file == files_.files_.end()) return false;
    file->second.append(text);
    return true;
  }

  bool Commit(std::string* reason) override { return Place(true, reason); }
  bool CommitNew(std::string* reason) override { return Place(false, reason); }

 private:
  bool Place(bool replace, std::string* reason) {
    if (!replace && files_.TypeOf(target_) != EntryType::kNone) {
      files_.Remove(temporary_);
      if (reason != nullptr) *reason = "already exists";
      return false;
    }
    const auto file = files_.files_.find(Key(temporary_));
    if (file == files_.files_.end() ||
        !files_.WriteFile(target_, std::move(file->second))) {
      files_.Remove(temporary_);
      if (reason != nullptr) *reason = "the file could not be replaced";
      return false;
    }
    files_.Remove(temporary_);
    committed_ = true;
    return true;
  }

  MemoryFileSystem& files_;
  fs::path temporary_;
  fs::path target_;
  bool committed_ = false;
};

std::unique_ptr<FileSystem::Output> MemoryFileSystem::CreateOutput(
    const fs::path& target, std::string* reason) {
  const auto fail = [reason](const char* why) {
    if (reason != nullptr) *reason = why;
    return nullptr;
  };
  if (TypeOf(target) == EntryType::kFolder) return fail("is a folder");
  const std::string parent = SplitKey(Key(target)).first;
  if (!parent.empty() &&
      TypeOf(formats::PathOfHostText(parent)) != EntryType::kFolder) {
    return fail("no such folder");
  }
  for (int attempt = 1;; ++attempt) {
    const fs::path temporary = TemporaryName(target, attempt);
    if (TypeOf(temporary) != EntryType::kNone) continue;
    WriteFile(temporary, "");
    return std::make_unique<MemoryOutput>(*this, temporary, target);
  }
}

std::string MemoryFileSystem::Key(const fs::path& path) {
  std::string key = formats::ShownPath(path.lexically_normal());
#if defined(_WIN32)
  std::replace(key.begin(), key.end(), '\\', '/');
#endif
  while (key.size() > 1 && key.back() == '/') key.pop_back();
  return key;
}

bool MemoryFileSystem::MakeFolder(const fs::path& folder, std::string* reason) {
  if (CreateFolder(folder)) return true;
  if (reason != nullptr) *reason = "not a folder";
  return false;
}

bool MemoryFileSystem::CreateFolder(const fs::path& path) {
  std::string key = Key(path);
  if (key.empty() || key == ".") return true;
  if (folders_.count(key) == 1) return true;
  if (files_.count(key) == 1) return false;
  const auto [parent, name] = SplitKey(key);
  if (name.empty()) {
    folders_[key];
    return true;
  }
  if (!parent.empty() && !CreateFolder(formats::PathOfHostText(parent)))
    return false;
  if (!parent.empty()) folders_[parent].Add(name);
  folders_[key];
  return true;
}

bool MemoryFileSystem::WriteFile(const fs::path& path, std::string text) {
  const std::string key = Key(path);
  if (folders_.count(key) == 1) return false;
  const auto [parent, name] = SplitKey(key);
  if (name.empty()) return false;
  if (!parent.empty()) {
    if (!CreateFolder(formats::PathOfHostText(parent))) return false;
    folders_[parent].Add(name);
  }
  files_[key] = std::move(text);
  return true;
}

bool MemoryFileSystem::Remove(const fs::path& path) {
  const std::string key = Key(path);
  const bool file = files_.erase(key) == 1;
  const bool folder = folders_.erase(key) == 1;
  if (!file && !folder) return false;
  if (folder) {
    for (auto it = files_.begin(); it != files_.end();) {
      it = IsBelow(it->first, key) ? files_.erase(it) : std::next(it);
    }
    for (auto it = folders_.begin(); it != folders_.end();) {
      it = IsBelow(it->first, key) ? folders_.erase(it) : std::next(it);
    }
  }
  const auto [parent, name] = SplitKey(key);
  const auto listing = folders_.find(parent);
  if (listing != folders_.end()) listing->second.Remove(name);
  return true;
}

FileSystem::Match MemoryFileSystem::FindEntryIn(
    const fs::path::string_type& folder_text, const std::string& name) {
  const fs::path folder(folder_text);
  Match match;
  const auto listing = folders_.find(Key(folder));
  if (listing == folders_.end()) return match;
  match.folder_found = true;
  if (const auto entry = listing->second.Find(name)) {
    match.entry = folder / formats::PathOfHostText(*entry);
  }
  return match;
}

FileSystem::EntryType MemoryFileSystem::TypeOf(const fs::path& path) {
  const std::string key = Key(path);
  if (files_.count(key) == 1) return EntryType::kFile;
  if (folders_.count(key) == 1) return EntryType::kFolder;
  return EntryType::kNone;
}

std::optional<std::string> MemoryFileSystem::ReadFile(const fs::path& path,
                                                      std::string* reason) {
  const std::string key = Key(path);
  const auto file = files_.find(key);
  if (file != files_.end()) return file->second;
  if (reason != nullptr) {
    *reason = folders_.count(key) == 1 ? "not a regular file" : "no such file";
  }
  return std::nullopt;
}

std::optional<FileSystem::Identity> MemoryFileSystem::IdentityOf(
    const fs::path& path) {
  const std::string key = Key(path);
  if (TypeOf(path) == EntryType::kNone) return std::nullopt;
  return Identity{0, std::hash<std::string>()(key)};
}

std::optional<fs::path> MemoryFileSystem::FinalPath(const fs::path& path) {
  if (TypeOf(path) == EntryType::kNone) return std::nullopt;
  return formats::PathOfHostText(Key(path));
}

std::optional<FileSystem::Tree> MemoryFileSystem::EntriesBelow(
    const fs::path& folder) {
  const std::string key = Key(folder);
  if (folders_.count(key) == 0) return std::nullopt;
  Tree tree;
  for (const auto& [file, text] : files_) {
    if (IsBelow(file, key)) tree.files.push_back(formats::PathOfHostText(file));
  }
  for (const auto& [below, listing] : folders_) {
    if (IsBelow(below, key))
      tree.folders.push_back(formats::PathOfHostText(below));
  }
  std::sort(tree.files.begin(), tree.files.end());
  std::sort(tree.folders.begin(), tree.folders.end());
  return tree;
}

}  // namespace files
