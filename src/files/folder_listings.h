#ifndef VANTREL_STANDIN_FOLDER_LISTINGS_H_
#define VANTREL_STANDIN_FOLDER_LISTINGS_H_

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <unordered_map>

#include "file_system.h"
#include "folder_listing.h"

namespace standin {

// Finds entries of folders on disk by the host's name rules (FolderListing)
// and keeps the listing of every folder it scanned, so that a search in an
// unchanged folder costs one look at the folder's times instead of a scan,
// whether the name is there or not. The disk file system owns one; nothing
// is shared between file systems.
//
// Names the system finds as they are spelled are found without a listing,
// and what was found is kept in the same way.
//
// A kept listing is checked before every use against the folder's stamp:
// its identity and its modification and status-change times at full
// resolution. Creating, removing or renaming an entry sets both times to
// the file system's clock, whose ticks may be coarser than a scan, so a
// change in the tick of a scan could leave them as they were. A listing is
// therefore kept only when the folder's last change lies at least one tick
// of its time stamps before the clock reading taken before the scan: every
// later change then moves the stamp. In a folder changed in that tick each
// search reads the folder again, keeping only the entries that can match;
// its listing is kept from the next tick on. On Linux a listing taken in
// that tick is kept all the same while the system watches the folder
// (inotify): the watch is set before the scan, and any change it reports
// drops the listing. The watch ends once the stamp alone will do.
class FolderListings {
 public:
  FolderListings() = default;
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
  std::size_t scans() const { return scans_; }

  // A folder's identity and last-change times, in nanoseconds since the
  // epoch of the file system's clock.
  struct Stamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t modified = 0;
    std::int64_t changed = 0;
    bool operator==(const Stamp& other) const {
      return device == other.device && inode == other.inode &&
             modified == other.modified && changed == other.changed;
    }
  };

 private:
  struct Kept {
    Stamp stamp;
    // Whether `listing` holds every entry. A folder searched only by names
    // the system found as spelled is not listed.
    bool listed = false;
    FolderListing listing;
    // Names the system found as spelled, each with the entry's own name.
    std::unordered_map<std::string, std::string> found_by_name;
    // The watch that keeps `listing` valid before the stamp can, or -1.
    int watch = -1;
  };

  // Linux: a watch on `folder` for every change of its entries, or -1 when
  // the system gives none.
  int Watch(const std::filesystem::path::string_type& folder);
  // Drops the listings whose watches saw a change since the last call.
  void DropChanged();
  // Ends `kept`'s watch, unless another kept folder (the same one by
  // another path) shares it.
  void EndWatch(Kept& kept);

  // Lists the entries of `folder` into `listing`: all, or with `folded`
  // only those whose names fold to it. False when listing stopped at an
  // error, with the entries read until then in `listing`.
  bool Scan(const std::filesystem::path::string_type& folder,
            const std::string* folded, FolderListing& listing);

  std::unordered_map<std::filesystem::path::string_type, Kept> kept_;
  std::size_t scans_ = 0;
  // The inotify instance, made at the first watch, and the number of kept
  // listings under a watch.
  int watches_fd_ = -1;
  std::size_t watched_ = 0;
};

}  // namespace standin

#endif  // VANTREL_STANDIN_FOLDER_LISTINGS_H_
