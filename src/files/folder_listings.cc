#include "folder_listings.h"

#include <cstring>
#include <string_view>
#include <utility>

#include "text_encoding.h"

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

namespace standin {
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

// The stamp of `folder`; false when it is not a folder or cannot be
// examined. One call to the system: under Wine every call costs.
bool ReadStamp(const NativePath& folder, FolderListings::Stamp& stamp) {
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
  if (!plain) return (fs::path(folder) / PathOfHostText(name)).native();
  NativePath joined;
  // A name takes no more units in a path than the bytes of its host text.
  joined.reserve(folder.size() + 1 + name.size());
  joined += folder;
  if (EndsInName(folder)) joined += fs::path::preferred_separator;
  AppendNativeOfHostText(name, joined);
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
  return HostTextOfWide(found.cFileName).value_or(name);
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

FolderListings::~FolderListings() {
#if defined(__linux__)
  if (watches_fd_ >= 0) close(watches_fd_);
#endif
}

FileSystem::Match FolderListings::Find(const NativePath& folder,
                                       const std::string& name) {
  FileSystem::Match match;
  if (watched_ > 0) DropChanged();
  const std::int64_t now = ClockNow();
  Stamp stamp;
  const bool found = ReadStamp(folder, stamp);
  auto kept = kept_.find(folder);
  if (kept != kept_.end() && (!found || !(kept->second.stamp == stamp))) {
    EndWatch(kept->second);
    kept_.erase(kept);
    kept = kept_.end();
  }
  if (!found) return match;
  match.folder_found = true;
  const bool settled = stamp.modified + TickOf(stamp.modified) <= now &&
                       stamp.changed + TickOf(stamp.changed) <= now;
  // From here on every change moves the stamp.
  if (settled && kept != kept_.end()) EndWatch(kept->second);

  if (kept != kept_.end() && kept->second.listed) {
    if (auto entry = kept->second.listing.Find(name)) {
      match.entry = EntryPath(folder, *entry);
    }
    return match;
  }
  if (!name.empty()) {
    // An entry the system finds by its name needs no listing. What it
    // found is kept, as a listing is, for the next search of that name.
    if (kept != kept_.end()) {
      const auto known = kept->second.found_by_name.find(name);
      if (known != kept->second.found_by_name.end()) {
        match.entry = EntryPath(folder, known->second);
        return match;
      }
    }
    if (auto exact = ExactEntry(folder, name)) {
      match.entry = EntryPath(folder, *exact);
      if (settled) {
        Kept& keep = kept == kept_.end() ? kept_[folder] : kept->second;
        keep.stamp = stamp;
        keep.found_by_name.emplace(name, std::move(*exact));
      }
      return match;
    }
  }

  std::optional<std::string> entry;
  // In the tick of a change, a watch set before the scan reports every
  // change the stamp may not show.
  const int watch = settled ? -1 : Watch(folder);
  if (settled || watch >= 0) {
    Kept listed{stamp, true, FolderListing{}, {}, watch};
    if (watch >= 0) ++watched_;
    const bool complete = Scan(folder, nullptr, listed.listing);
    entry = listed.listing.Find(name);
    if (complete) {
      kept_[folder] = std::move(listed);
    } else {
      EndWatch(listed);
    }
  } else {
    // The listing could not be kept: list only the entries that can match,
    // which costs no more than reading the folder.
    const std::string folded = FoldFileName(name);
    FolderListing matching;
    Scan(folder, &folded, matching);
    entry = matching.Find(name);
  }
  if (entry) match.entry = EntryPath(folder, *entry);
  return match;
}

#if !defined(_WIN32)
std::optional<fs::path> FolderListings::FoundAsSpelled(
    const NativePath& folder, const std::string& name) const {
  const auto kept = kept_.find(folder);
  if (kept == kept_.end()) return std::nullopt;
  const Kept& known = kept->second;
  if (known.listed ? known.listing.Contains(name)
                   : known.found_by_name.count(name) == 1) {
    return EntryPath(folder, name);
  }
  return std::nullopt;
}
#endif

int FolderListings::Watch(const NativePath& folder) {
#if defined(__linux__)
  if (watches_fd_ < 0) {
    watches_fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (watches_fd_ < 0) return -1;
  }
  return inotify_add_watch(watches_fd_, folder.c_str(),
                           IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO |
                               IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR);
#else
  (void)folder;
  return -1;
#endif
}

void FolderListings::DropChanged() {
#if defined(__linux__)
  const auto drop = [this](bool every, int watch) {
    for (auto kept = kept_.begin(); kept != kept_.end();) {
      const int own = kept->second.watch;
      if (own >= 0 && (every || own == watch)) {
        EndWatch(kept->second);
        kept = kept_.erase(kept);
      } else {
        ++kept;
      }
    }
  };
  alignas(inotify_event) char events[4096];
  for (;;) {
    const ssize_t length = read(watches_fd_, events, sizeof events);
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

void FolderListings::EndWatch(Kept& kept) {
  if (kept.watch < 0) return;
  --watched_;
#if defined(__linux__)
  bool shared = false;
  for (const auto& other : kept_) {
    shared |= &other.second != &kept && other.second.watch == kept.watch;
  }
  if (!shared) inotify_rm_watch(watches_fd_, kept.watch);
#endif
  kept.watch = -1;
}

bool FolderListings::Scan(const NativePath& folder, const std::string* folded,
                          FolderListing& listing) {
  ++scans_;
  // Listed with the system's own calls: a directory_iterator builds a path
  // and examines the entry for every name, which costs more than the rest
  // of a search. Names are converted as HostTextOf converts a path's.
  // Only the names that can match are copied.
  const auto matches = [folded](std::string_view entry) {
    return folded == nullptr || FoldsTo(entry, *folded);
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
    if (!IsDotOrDotDot(found.cFileName)) add(HostTextOfWide(found.cFileName));
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

}  // namespace standin
