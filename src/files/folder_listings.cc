#include "files/folder_listings.h"

#include <cstdint>
#include <cstring>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "files/folder_listing.h"
#include "formats/text_encoding.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dirent.h>
#include <sys/stat.h>
#include <time.h>

#include <cerrno>
#endif
#if defined(__linux__)
#include <sys/inotify.h>
#include <unistd.h>
#endif

namespace files {
namespace {

namespace fs = std::filesystem;

using NativePath = fs::path::string_type;

constexpr std::int64_t kSecond = 1000000000;

#if defined(_WIN32)
// A FILETIME in nanoseconds since 1970 (its own count, of 100 ns since
// 1601, would not fit).
std::int64_t Nanoseconds(const FILETIME& time) {
  constexpr std::uint64_t k1601To1970 = 116444736000000000ull;
  const std::uint64_t ticks =
      (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) |
      time.dwLowDateTime;
  return (static_cast<std::int64_t>(ticks - k1601To1970)) * 100;
}
#endif

// The time now by the clock that stamps files, in nanoseconds: the system
// time that Windows stamps files with, or on Linux the coarse clock the
// kernel stamps them with, so that a change made after this reading never
// carries an earlier time.
std::int64_t ClockNow() {
#if defined(_WIN32)
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  return Nanoseconds(now);
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

// The tick of the clock behind a time stamp, judged from the stamp itself:
// file systems cut times to a power of ten of nanoseconds (whole seconds on
// some, two seconds on FAT).
std::int64_t TickOf(std::int64_t time) {
  std::int64_t tick = 1;
  while (tick < kSecond && time % (tick * 10) == 0) tick *= 10;
  if (tick == kSecond) return 2 * kSecond;
#if defined(_WIN32)
  // Windows stamps files from a clock that moves in steps of up to 16 ms,
  // and Wine from Linux's coarse clock, while the times read here are
  // finer: a stamp's digits do not show its tick.
  constexpr std::int64_t kWindowsTick = 20000000;
  if (tick < kWindowsTick) return kWindowsTick;
#endif
  return tick;
}

// Whether a path in native form ends in a name, as has_filename() tells:
// a separator joins another name to it.
bool EndsInName(const NativePath& path) {
  if (path.empty()) return false;
#if defined(_WIN32)
  return path.back() != L'\\' && path.back() != L'/' && path.back() != L':';
#else
  return path.back() != '/';
#endif
}

// `folder` / `name` as operator/ joins them, in native form. A plain name,
// the only kind a listing holds, is joined as one string: a path joined
// part by part copies and splits itself again.
NativePath EntryNative(const NativePath& folder, const std::string& name) {
#if defined(_WIN32)
  const bool plain = name.find_first_of("/\\:") == std::string::npos;
#else
  const bool plain = name.find('/') == std::string::npos;
#endif
  if (!plain)
    return (fs::path(folder) / formats::PathOfHostText(name)).native();
  NativePath joined;
  // A name takes no more units in a path than the bytes of its host text.
  joined.reserve(folder.size() + 1 + name.size());
  joined += folder;
  if (EndsInName(folder)) joined += fs::path::preferred_separator;
  formats::AppendNativeOfHostText(name, joined);
  return joined;
}

fs::path EntryPath(const NativePath& folder, const std::string& name) {
  return fs::path(EntryNative(folder, name));
}

// The entry of `folder` spelled `name` as the system finds it by that name,
// or nothing. On Windows the system finds names without regard to case and
// tells the name as the folder spells it, in one call; elsewhere only the
// exact spelling is found.
std::optional<std::string> ExactEntry(const NativePath& folder,
                                      const std::string& name) {
  const NativePath exact = EntryNative(folder, name);
#if defined(_WIN32)
  // Wildcards would find other names.
  if (name.find_first_of("*?") != std::string::npos) return std::nullopt;
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileExW(exact.c_str(), FindExInfoBasic, &found,
                                         FindExSearchNameMatch, nullptr, 0);
  if (search == INVALID_HANDLE_VALUE) return std::nullopt;
  FindClose(search);
  return formats::HostTextOfWide(found.cFileName).value_or(name);
#else
  struct stat status {};
  if (lstat(exact.c_str(), &status) != 0) return std::nullopt;
  return name;
#endif
}

// The entries "." and "..", which every listing of the system holds and a
// directory_iterator leaves out.
template <typename Char>
bool IsDotOrDotDot(const Char* name) {
  return name[0] == '.' &&
         (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

}  // namespace

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
struct FolderListings::Store {
  // A folder's identity and last-change times, in nanoseconds since the epoch
  // of the file system's clock.
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
  // The stamp of `folder`; false when it is not a folder or cannot be
  // examined. One call to the system: under Wine every call costs.
  static bool ReadStamp(const NativePath& folder, Stamp& stamp);

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

  Store() = default;
  Store(const Store&) = delete;
  Store& operator=(const Store&) = delete;
  ~Store();

  // Linux: a watch on `folder` for every change of its entries, or -1 when
  // the system gives none.
  int Watch(const NativePath& folder);
  // Drops the listings whose watches saw a change since the last call.
  void DropChanged();
  // Ends the watch of `ending`, unless another kept folder (the same one by
  // another path) shares it.
  void EndWatch(Kept& ending);

  // Lists the entries of `folder` into `listing`: all, or with `folded`
  // only those whose names fold to it. False when listing stopped at an
  // error, with the entries read until then in `listing`.
  bool Scan(const NativePath& folder, const std::string* folded,
            FolderListing& listing);

  std::unordered_map<NativePath, Kept> kept;
  std::size_t scans = 0;
  // The inotify instance, made at the first watch, and the number of kept
  // listings under a watch.
  int watches_fd = -1;
  std::size_t watched = 0;
};

FolderListings::Store::~Store() {
#if defined(__linux__)
  if (watches_fd >= 0) close(watches_fd);
#endif
}

bool FolderListings::Store::ReadStamp(const NativePath& folder, Stamp& stamp) {
#if defined(_WIN32)
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(folder.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    return false;
  }
  stamp.modified = Nanoseconds(data.ftLastWriteTime);
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

FolderListings::FolderListings() : store_(std::make_unique<Store>()) {}

FolderListings::~FolderListings() = default;

std::size_t FolderListings::scans() const { return store_->scans; }

FileSystem::Match FolderListings::Find(const NativePath& folder,
                                       const std::string& name) {
  Store& store = *store_;
  FileSystem::Match match;
  if (store.watched > 0) store.DropChanged();
  const std::int64_t now = ClockNow();
  Store::Stamp stamp;
  const bool found = Store::ReadStamp(folder, stamp);
  auto kept = store.kept.find(folder);
  if (kept != store.kept.end() && (!found || !(kept->second.stamp == stamp))) {
    store.EndWatch(kept->second);
    store.kept.erase(kept);
    kept = store.kept.end();
  }
  if (!found) return match;
  match.folder_found = true;
  const bool settled = stamp.modified + TickOf(stamp.modified) <= now &&
                       stamp.changed + TickOf(stamp.changed) <= now;
  // From here on every change moves the stamp.
  if (settled && kept != store.kept.end()) store.EndWatch(kept->second);

  if (kept != store.kept.end() && kept->second.listed) {
    if (auto entry = kept->second.listing.Find(name)) {
      match.entry = EntryPath(folder, *entry);
    }
    return match;
  }
  if (!name.empty()) {
    // An entry the system finds by its name needs no listing. What it
    // found is kept, as a listing is, for the next search of that name.
    if (kept != store.kept.end()) {
      const auto known = kept->second.found_by_name.find(name);
      if (known != kept->second.found_by_name.end()) {
        match.entry = EntryPath(folder, known->second);
        return match;
      }
    }
    if (auto exact = ExactEntry(folder, name)) {
      match.entry = EntryPath(folder, *exact);
      if (settled) {
        Store::Kept& keep =
            kept == store.kept.end() ? store.kept[folder] : kept->second;
        keep.stamp = stamp;
        keep.found_by_name.emplace(name, std::move(*exact));
      }
      return match;
    }
  }

  std::optional<std::string> entry;
  // In the tick of a change, a watch set before the scan reports every
  // change the stamp may not show.
  const int watch = settled ? -1 : store.Watch(folder);
  if (settled || watch >= 0) {
    Store::Kept listed{stamp, true, FolderListing{}, {}, watch};
    if (watch >= 0) ++store.watched;
    const bool complete = store.Scan(folder, nullptr, listed.listing);
    entry = listed.listing.Find(name);
    if (complete) {
      store.kept[folder] = std::move(listed);
    } else {
      store.EndWatch(listed);
    }
  } else {
    // The listing could not be kept: list only the entries that can match,
    // which costs no more than reading the folder.
    const std::string folded = formats::FoldFileName(name);
    FolderListing matching;
    store.Scan(folder, &folded, matching);
    entry = matching.Find(name);
  }
  if (entry) match.entry = EntryPath(folder, *entry);
  return match;
}

#if !defined(_WIN32)
std::optional<fs::path> FolderListings::FoundAsSpelled(
    const NativePath& folder, const std::string& name) const {
  const auto kept = store_->kept.find(folder);
  if (kept == store_->kept.end()) return std::nullopt;
  const Store::Kept& known = kept->second;
  if (known.listed ? known.listing.Contains(name)
                   : known.found_by_name.count(name) == 1) {
    return EntryPath(folder, name);
  }
  return std::nullopt;
}
#endif

int FolderListings::Store::Watch(const NativePath& folder) {
#if defined(__linux__)
  if (watches_fd < 0) {
    watches_fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (watches_fd < 0) return -1;
  }
  return inotify_add_watch(watches_fd, folder.c_str(),
                           IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO |
                               IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR);
#else
  (void)folder;
  return -1;
#endif
}

void FolderListings::Store::DropChanged() {
#if defined(__linux__)
  const auto drop = [this](bool every, int watch) {
    for (auto entry = kept.begin(); entry != kept.end();) {
      const int own = entry->second.watch;
      if (own >= 0 && (every || own == watch)) {
        EndWatch(entry->second);
        entry = kept.erase(entry);
      } else {
        ++entry;
      }
    }
  };
  alignas(inotify_event) char events[4096];
  for (;;) {
    const ssize_t length = read(watches_fd, events, sizeof events);
    if (length < 0) {
      // Read to the end, or reports may be lost: then trust none.
      if (errno != EAGAIN) drop(true, -1);
      return;
    }
    for (ssize_t at = 0; at < length;) {
      inotify_event event;
      std::memcpy(&event, events + at, sizeof event);
      drop((event.mask & IN_Q_OVERFLOW) != 0, event.wd);
      at += static_cast<ssize_t>(sizeof event + event.len);
    }
  }
#endif
}

void FolderListings::Store::EndWatch(Kept& ending) {
  if (ending.watch < 0) return;
  --watched;
#if defined(__linux__)
  bool shared = false;
  for (const auto& other : kept) {
    shared |= &other.second != &ending && other.second.watch == ending.watch;
  }
  if (!shared) inotify_rm_watch(watches_fd, ending.watch);
#endif
  ending.watch = -1;
}

bool FolderListings::Store::Scan(const NativePath& folder,
                                 const std::string* folded,
                                 FolderListing& listing) {
  ++scans;
  // Listed with the system's own calls: a directory_iterator builds a path
  // and examines the entry for every name, which costs more than the rest
  // of a search. Names are converted as HostTextOf converts a path's.
  // Only the names that can match are copied.
  const auto matches = [folded](std::string_view entry) {
    return folded == nullptr || formats::FoldsTo(entry, *folded);
  };
#if defined(_WIN32)
  const auto add = [&](std::optional<std::string> entry) {
    // A name the code page cannot hold is one the simulator cannot open.
    if (entry && matches(*entry)) listing.Add(*entry);
  };
#endif
#if defined(_WIN32)
  WIN32_FIND_DATAW found{};
  const HANDLE search =
      FindFirstFileExW(EntryNative(folder, "*").c_str(), FindExInfoBasic,
                       &found, FindExSearchNameMatch, nullptr, 0);
  if (search == INVALID_HANDLE_VALUE) {
    return GetLastError() == ERROR_FILE_NOT_FOUND;
  }
  do {
    if (!IsDotOrDotDot(found.cFileName))
      add(formats::HostTextOfWide(found.cFileName));
  } while (FindNextFileW(search, &found));
  const bool complete = GetLastError() == ERROR_NO_MORE_FILES;
  FindClose(search);
  return complete;
#else
  DIR* const stream = opendir(folder.c_str());
  if (stream == nullptr) return false;
  for (;;) {
    errno = 0;
    const dirent* const entry = readdir(stream);
    if (entry == nullptr) break;
    if (!IsDotOrDotDot(entry->d_name) && matches(entry->d_name)) {
      listing.Add(entry->d_name);
    }
  }
  const bool complete = errno == 0;
  closedir(stream);
  return complete;
#endif
}

}  // namespace files
