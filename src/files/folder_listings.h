#ifndef VANTREL_FILES_FOLDER_LISTINGS_H_
#define VANTREL_FILES_FOLDER_LISTINGS_H_

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "files/file_system.h"

namespace files {

// Finds entries of folders on disk by the host's name rules (FolderListing)
// and keeps the listing of every folder it scanned, so that a search in an
// unchanged folder costs one look at the folder instead of a scan, whether
// the name is there or not. Names the system finds as they are spelled are
// found without a listing, and what was found is kept in the same way. A
// kept listing is never used once its folder has changed (folder_listings.cc
// says how that is known). The disk file system owns one; nothing is shared
// between file systems.
class FolderListings {
 public:
  FolderListings();
  FolderListings(const FolderListings&) = delete;
  FolderListings& operator=(const FolderListings&) = delete;
  ~FolderListings();

  // As FileSystem::FindEntryIn.
  FileSystem::Match Find(const std::filesystem::path::string_type& folder,
                         const std::string& name);
  FileSystem::Match Find(const std::filesystem::path& folder,
                         const std::string& name) {
    return Find(folder.native(), name);
  }

#if !defined(_WIN32)
  // `folder` / `name` when a search found an entry of that folder spelled
  // exactly `name`, as the system found it or in a kept listing; nothing
  // otherwise. The folder is not looked at: the entry may be gone since.
  std::optional<std::filesystem::path> FoundAsSpelled(
      const std::filesystem::path::string_type& folder,
      const std::string& name) const;
#endif

  // The number of folder scans so far.
  std::size_t scans() const;

 private:
  // The listings kept, and what tells that each is still current.
  struct Store;
  std::unique_ptr<Store> store_;
};

}  // namespace files

#endif  // VANTREL_FILES_FOLDER_LISTINGS_H_
