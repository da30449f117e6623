#ifndef VANTREL_FILES_FILE_SYSTEM_WRAPPER_H_
#define VANTREL_FILES_FILE_SYSTEM_WRAPPER_H_

#include "files/file_system.h"

namespace files {

// A file system that hands every call to another one, which it does not
// own. Derive from it to change a few calls and keep the others.
// ReadEntryIn is FileSystem's own, a call of FindEntryIn and one of
// ReadFile here, so that a derived class sees every search and every read.
class FileSystemWrapper : public FileSystem {
 public:
  explicit FileSystemWrapper(FileSystem* target) : target_(target) {}

  FileSystem* target() const { return target_; }

  Match FindEntryIn(const std::filesystem::path::string_type& folder,
                    const std::string& name) override {
    return target_->FindEntryIn(folder, name);
  }
  EntryType TypeOf(const std::filesystem::path& path) override {
    return target_->TypeOf(path);
  }
  std::optional<std::string> ReadFile(const std::filesystem::path& path,
                                      std::string* reason) override {
    return target_->ReadFile(path, reason);
  }
  std::optional<std::string> ReadIdentifiedFile(
      const std::filesystem::path& path, std::string* reason,
      std::optional<Identity>& identity) override {
    return target_->ReadIdentifiedFile(path, reason, identity);
  }
  std::optional<Identity> IdentityOf(
      const std::filesystem::path& path) override {
    return target_->IdentityOf(path);
  }
  std::optional<std::filesystem::path> FinalPath(
      const std::filesystem::path& path) override {
    return target_->FinalPath(path);
  }
  std::optional<Tree> EntriesBelow(
      const std::filesystem::path& folder) override {
    return target_->EntriesBelow(folder);
  }
  std::unique_ptr<Output> CreateOutput(const std::filesystem::path& target,
                                       std::string* reason) override {
    return target_->CreateOutput(target, reason);
  }
  bool MakeFolder(const std::filesystem::path& folder,
                  std::string* reason) override {
    return target_->MakeFolder(folder, reason);
  }

 private:
  FileSystem* target_;
};

}  // namespace files

#endif  // VANTREL_FILES_FILE_SYSTEM_WRAPPER_H_
