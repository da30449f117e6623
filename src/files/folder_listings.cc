#include "folder_listings.h"

#include <chrono>
#include <system_error>
#include <utility>

#include "item_file.h"

#if !defined(_WIN32)
#include <sys/stat.h>
#include <time.h>
#endif

namespace standin {
namespace {

namespace fs = std::filesystem;

constexpr std::int64_t kSecond = 1000000000;

// The time now by the clock that stamps files, in nanoseconds: on Linux the
// coarse clock the kernel stamps them with, so that a change made after this
// reading never carries an earlier time.
std::int64_t ClockNow() {
#if defined(_WIN32)
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             fs::file_time_type::clock::now().time_since_epoch())
      .count();
#else
#if defined(CLOCK_REALTIME_COARSE)
  const clockid_t clock = CLOCK_REALTIME_COARSE;
#else
  const clockid_t clock = CLOCK_REALTIME;
#endif
  timespec now{};
  clock_gettime(clock, &now);
  return static_cast<std::int64_t>(now.tv_sec) * kSecond + now.tv_nsec;
#endif
}

// The stamp of `folder`; false when it is not a folder or cannot be
// examined.
bool ReadStamp(const fs::path& folder, FolderListings::Stamp& stamp) {
#if defined(_WIN32)
  std::error_code error;
  if (!fs::is_directory(folder, error) || error) return false;
  const auto modified = fs::last_write_time(folder, error);
  if (error) return false;
  stamp.modified = std::chrono::duration_cast<std::chrono::nanoseconds>(
                       modified.time_since_epoch())
                       .count();
  stamp.changed = stamp.modified;
  return true;
#else
  struct stat status {};
  if (stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) {
    return false;
  }
  stamp.device = static_cast<std::uint64_t>(status.st_dev);
  stamp.inode = static_cast<std::uint64_t>(status.st_ino);
  stamp.modified = static_cast<std::int64_t>(status.st_mtim.tv_sec) * kSecond +
                   status.st_mtim.tv_nsec;
  stamp.changed = static_cast<std::int64_t>(status.st_ctim.tv_sec) * kSecond +
                  status.st_ctim.tv_nsec;
  return true;
#endif
}

// The tick of the clock behind a time stamp, judged from the stamp itself:
// file systems cut times to a power of ten of nanoseconds (whole seconds on
// some, two seconds on FAT).
std::int64_t TickOf(std::int64_t time) {
  std::int64_t tick = 1;
  while (tick < kSecond && time % (tick * 10) == 0) tick *= 10;
  return tick == kSecond ? 2 * kSecond : tick;
}

}  // namespace

FileSystem::Match FolderListings::Find(const fs::path& folder,
                                       const std::string& name) {
  FileSystem::Match match;
  const std::int64_t now = ClockNow();
  Stamp stamp;
  const bool found = ReadStamp(folder, stamp);
  auto kept = kept_.find(folder.native());
  if (kept != kept_.end() && (!found || !(kept->second.stamp == stamp))) {
    kept_.erase(kept);
    kept = kept_.end();
  }
  if (!found) return match;
  match.folder_found = true;

  if (kept == kept_.end() && !name.empty()) {
    // The entry spelled exactly so needs no listing. Asking for it by its
    // own name also finds names that do not survive a listing's conversion
    // to narrow text, as on Windows.
    const fs::path exact = folder / name;
    std::error_code error;
    if (fs::symlink_status(exact, error).type() != fs::file_type::not_found &&
        !error) {
      match.entry = exact;
      return match;
    }
  }

  std::optional<std::string> entry;
  const bool settled = stamp.modified + TickOf(stamp.modified) <= now &&
                       stamp.changed + TickOf(stamp.changed) <= now;
  if (kept != kept_.end()) {
    entry = kept->second.listing.Find(name);
  } else if (settled) {
    FolderListing listing;
    const bool complete = Scan(folder, nullptr, listing);
    entry = listing.Find(name);
    if (complete) {
      kept_.emplace(folder.native(), Kept{stamp, std::move(listing)});
    }
  } else {
    // The listing could not be kept: list only the entries that can match,
    // which costs no more than reading the folder.
    const std::string folded = FoldCase(name);
    FolderListing matching;
    Scan(folder, &folded, matching);
    entry = matching.Find(name);
  }
  if (entry) match.entry = folder / *entry;
  return match;
}

bool FolderListings::Scan(const fs::path& folder, const std::string* folded,
                          FolderListing& listing) {
  ++scans_;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    std::string entry = it->path().filename().string();
    if (folded == nullptr || FoldCase(entry) == *folded) listing.Add(entry);
  }
  return !error;
}

}  // namespace standin
