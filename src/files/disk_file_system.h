#ifndef VANTREL_FILES_DISK_FILE_SYSTEM_H_
#define VANTREL_FILES_DISK_FILE_SYSTEM_H_

#include "files/file_system.h"
#include "files/folder_listings.h"

namespace files {

// The files on disk. Files are opened by their native names (wide on
// Windows), so that names beyond ASCII survive, and on Windows a long path
// in its extended form (OpenablePath). FindEntry keeps the listings
// of the folders it searched (FolderListings) for as long as this object
// lives.
class DiskFileSystem : public FileSystem {
 public:
  Match FindEntryIn(const std::filesystem::path::string_type& folder,
                    const std::string& name) override;
  Match ReadEntryIn(const std::filesystem::path::string_type& folder,
                    const std::string& name,
                    std::optional<std::string>& text) override;
  EntryType TypeOf(const std::filesystem::path& path) override;
  std::optional<std::string> ReadFile(const std::filesystem::path& path,
                                      std::string* reason) override;
  std::optional<std::string> ReadIdentifiedFile(
      const std::filesystem::path& path, std::string* reason,
      std::optional<Identity>& identity) override;
  // Defined in disk_identity.cc.
  std::optional<Identity> IdentityOf(
      const std::filesystem::path& path) override;
  std::optional<std::filesystem::path> FinalPath(
      const std::filesystem::path& path) override;
  std::optional<Tree> EntriesBelow(
      const std::filesystem::path& folder) override;
  std::unique_ptr<Output> CreateOutput(const std::filesystem::path& target,
                                       std::string* reason) override;
  bool MakeFolder(const std::filesystem::path& folder,
                  std::string* reason) override;

  // The number of folder scans so far.
  std::size_t scans() const { return listings_.scans(); }

 private:
  // ReadFile, and with `identity` given, the identity of the file read.
  std::optional<std::string> Read(const std::filesystem::path& path,
                                  std::string* reason,
                                  std::optional<Identity>* identity);

  FolderListings listings_;
};

}  // namespace files

#endif  // VANTREL_FILES_DISK_FILE_SYSTEM_H_
