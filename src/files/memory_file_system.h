#ifndef VANTREL_FILES_MEMORY_FILE_SYSTEM_H_
#define VANTREL_FILES_MEMORY_FILE_SYSTEM_H_

#include <map>
#include <string>

#include "files/file_system.h"
#include "files/folder_listing.h"

namespace files {

// Files and folders held in memory, for tests and fuzzing. Names are found
// by the same rules as on disk (FolderListing); entry names are
// case-sensitive, as on Linux, so that two names differing in case can both
// exist. Paths are taken lexically: "a/./b" is "a/b"; there are no links.
// An entry's identity is its place: the same for every spelling of its
// path, and taken over by an entry made there later.
class MemoryFileSystem : public FileSystem {
 public:
  // Writes `text` as the file `path`, replacing a file spelled exactly so,
  // and creates the folders on the way. False, with nothing changed, when
  // `path` or one of the folders on the way is taken by the other kind of
  // entry.
  bool WriteFile(const std::filesystem::path& path, std::string text);
  // Creates the folder `path` and those on the way; true when it exists
  // afterwards.
  bool CreateFolder(const std::filesystem::path& path);
  // Removes the entry `path` with everything below it; false when there is
  // none.
  bool Remove(const std::filesystem::path& path);

  Match FindEntryIn(const std::filesystem::path::string_type& folder,
                    const std::string& name) override;
  EntryType TypeOf(const std::filesystem::path& path) override;
  std::optional<std::string> ReadFile(const std::filesystem::path& path,
                                      std::string* reason) override;
  std::optional<Identity> IdentityOf(
      const std::filesystem::path& path) override;
  // The path in its lexically normal form.
  std::optional<std::filesystem::path> FinalPath(
      const std::filesystem::path& path) override;
  std::optional<Tree> EntriesBelow(
      const std::filesystem::path& folder) override;
  // As on disk: the temporary file is an entry beside the target until
  // Commit renames it into place.
  std::unique_ptr<Output> CreateOutput(const std::filesystem::path& target,
                                       std::string* reason) override;
  bool MakeFolder(const std::filesystem::path& folder,
                  std::string* reason) override;

 private:
  class MemoryOutput;

  // The key of a path: its lexically normal form with '/' between names and
  // no '/' at the end, except for the root.
  static std::string Key(const std::filesystem::path& path);

  std::map<std::string, std::string> files_;
  std::map<std::string, FolderListing> folders_;
};

}  // namespace files

#endif  // VANTREL_FILES_MEMORY_FILE_SYSTEM_H_
