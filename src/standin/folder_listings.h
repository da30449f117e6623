#ifndef VANTREL_STANDIN_FOLDER_LISTINGS_H_
#define VANTREL_STANDIN_FOLDER_LISTINGS_H_

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace standin {

// Finds folder entries by name as the host's file system does: an entry
// spelled exactly as asked, otherwise one whose name differs only in case.
// It keeps the listing of every folder it scanned, so that a search in an
// unchanged folder costs one look at the folder's modification time instead
// of a scan, whether the name is there or not.
//
// Creating, removing or renaming an entry changes the modification time of
// its folder, but only to the resolution of the file system's clock: a
// change in the same tick as a scan would go unseen. A listing is therefore
// made and kept only for a folder last modified more than kSettleTime before
// the scan begins. A folder changed more recently is searched as if nothing
// were kept: the exact name first, then a scan when it is missing.
class FolderListings {
 public:
  static constexpr std::chrono::seconds kSettleTime{2};

  // What Find found.
  struct Match {
    bool folder_found = false;  // `folder` exists (it may not be listable)
    std::optional<std::filesystem::path> entry;
  };

  // The entry of `folder` named `name`: spelled exactly so if there is one,
  // else the first in sorted order of those whose names equal `name`
  // without regard to case. No entry when there is none or the folder
  // cannot be listed; when listing stops at an error, the entries read
  // until then count.
  Match Find(const std::filesystem::path& folder, const std::string& name);

  // The number of folder scans so far.
  std::size_t scans() const { return scans_; }

 private:
  struct Listing {
    std::filesystem::file_time_type modified;
    std::unordered_set<std::string> names;
    // Folded name -> the first entry name in sorted order that folds to it.
    std::unordered_map<std::string, std::filesystem::path> by_folded_name;
  };

  // Lists `folder`. `complete` is false when listing stopped at an error;
  // the entries read until then are returned.
  Listing Scan(const std::filesystem::path& folder, bool& complete);

  // The entry of `folder` in `listing` whose name folds to that of `name`.
  static std::optional<std::filesystem::path> FoldedEntry(
      const Listing& listing, const std::filesystem::path& folder,
      const std::string& name);

  std::unordered_map<std::filesystem::path::string_type, Listing> listings_;
  std::size_t scans_ = 0;
};

}  // namespace standin

#endif  // VANTREL_STANDIN_FOLDER_LISTINGS_H_
