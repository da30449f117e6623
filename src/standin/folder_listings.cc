#include "folder_listings.h"

#include <system_error>
#include <utility>

#include "item_file.h"

namespace standin {

namespace fs = std::filesystem;

FolderListings::Match FolderListings::Find(const fs::path& folder,
                                           const std::string& name) {
  Match match;
  std::error_code error;
  const fs::file_time_type modified = fs::last_write_time(folder, error);
  auto kept = listings_.find(folder.native());
  if (kept != listings_.end() && (error || kept->second.modified != modified)) {
    listings_.erase(kept);
    kept = listings_.end();
  }
  if (error) return match;
  match.folder_found = true;

  const fs::file_time_type now = fs::file_time_type::clock::now();
  if (kept == listings_.end() && modified + kSettleTime < now) {
    bool complete = false;
    Listing listing = Scan(folder, complete);
    listing.modified = modified;
    if (complete) {
      kept = listings_.emplace(folder.native(), std::move(listing)).first;
    }
  }

  if (kept != listings_.end()) {
    const Listing& listing = kept->second;
    if (listing.names.count(name) == 1) {
      match.entry = folder / name;
      return match;
    }
    match.entry = FoldedEntry(listing, folder, name);
    return match;
  }

  const fs::path exact = folder / name;
  if (fs::symlink_status(exact, error).type() != fs::file_type::not_found &&
      !error) {
    match.entry = exact;
    return match;
  }
  bool complete = false;
  match.entry = FoldedEntry(Scan(folder, complete), folder, name);
  return match;
}

std::optional<fs::path> FolderListings::FoldedEntry(const Listing& listing,
                                                    const fs::path& folder,
                                                    const std::string& name) {
  const auto entry = listing.by_folded_name.find(FoldCase(name));
  if (entry == listing.by_folded_name.end()) return std::nullopt;
  return folder / entry->second;
}

FolderListings::Listing FolderListings::Scan(const fs::path& folder,
                                             bool& complete) {
  ++scans_;
  Listing listing;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    fs::path entry = it->path().filename();
    listing.names.insert(entry.string());
    auto [slot, inserted] =
        listing.by_folded_name.try_emplace(FoldCase(entry.string()), entry);
    if (!inserted && entry < slot->second) slot->second = std::move(entry);
  }
  complete = !error;
  return listing;
}

}  // namespace standin
