#include "files/disk_file_system.h"

#include <algorithm>
#include <cerrno>
#include <new>
#include <string>
#include <system_error>
#include <utility>

#include "files/disk_identity.h"
#include "files/openable_path.h"
#include "files/system_message.h"
#include "formats/text_encoding.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace files {
namespace {

namespace fs = std::filesystem;

void SetReason(std::string* reason, std::string text) {
  if (reason != nullptr) *reason = std::move(text);
}

constexpr unsigned long long kMegabyte = 1024 * 1024;

std::string TooLarge(unsigned long long size) {
  return "too large to read (" + std::to_string(size / kMegabyte) +
         " MB; the largest file read is " +
         std::to_string(FileSystem::kLargestFile / kMegabyte) + " MB)";
}

#if defined(_WIN32)
int CloseFd(int fd) { return _close(fd); }
long ReadFd(int fd, char* buffer, std::size_t size) {
  return _read(fd, buffer, static_cast<unsigned>(size));
}
long WriteFd(int fd, const char* buffer, std::size_t size) {
  return _write(fd, buffer, static_cast<unsigned>(size));
}
// A new file, never one that exists.
int CreateNewFile(const fs::path& path) {
  return _wopen(OpenablePath(path).c_str(),
                _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
                _S_IREAD | _S_IWRITE);
}
// Replaces `target` by `source` in one step; the reason on failure.
std::optional<std::string> ReplaceFile(const fs::path& source,
                                       const fs::path& target) {
  if (MoveFileExW(OpenablePath(source).c_str(), OpenablePath(target).c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return std::nullopt;
  }
  return WindowsErrorMessage(GetLastError());
}
// Puts `source` in the place of `target` only where nothing is there, in
// one step; the reason on failure.
std::optional<std::string> PlaceNewFile(const fs::path& source,
                                        const fs::path& target) {
  if (MoveFileExW(OpenablePath(source).c_str(), OpenablePath(target).c_str(),
                  MOVEFILE_WRITE_THROUGH)) {
    return std::nullopt;
  }
  const DWORD code = GetLastError();
  if (code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS) {
    return std::string("already exists");
  }
  return WindowsErrorMessage(code);
}
#else
int CloseFd(int fd) { return close(fd); }
long ReadFd(int fd, char* buffer, std::size_t size) {
  return static_cast<long>(read(fd, buffer, size));
}
long WriteFd(int fd, const char* buffer, std::size_t size) {
  return static_cast<long>(write(fd, buffer, size));
}
int CreateNewFile(const fs::path& path) {
  return open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}
std::optional<std::string> ReplaceFile(const fs::path& source,
                                       const fs::path& target) {
  if (rename(source.c_str(), target.c_str()) == 0) return std::nullopt;
  return ErrnoMessage(errno);
}
// A second name made in one step fails where any entry has the name; the
// temporary name then goes.
std::optional<std::string> PlaceNewFile(const fs::path& source,
                                        const fs::path& target) {
  if (link(source.c_str(), target.c_str()) != 0) {
    if (errno == EEXIST) return std::string("already exists");
    return ErrnoMessage(errno);
  }
  unlink(source.c_str());
  return std::nullopt;
}
#endif

// A file written beside its target under a temporary name.
class DiskOutput : public FileSystem::Output {
 public:
  DiskOutput(int fd, fs::path temporary, fs::path target)
      : fd_(fd), temporary_(std::move(temporary)), target_(std::move(target)) {}
  ~DiskOutput() override {
    if (fd_ >= 0) CloseFd(fd_);
    if (!committed_) RemoveTemporary();
  }

  bool Append(std::string_view text) override {
    while (failure_.empty() && !text.empty()) {
      const long wrote = WriteFd(fd_, text.data(), text.size());
      if (wrote < 0) {
        failure_ = ErrnoMessage(errno);
      } else {
        text.remove_prefix(static_cast<std::size_t>(wrote));
      }
    }
    return failure_.empty();
  }

  bool Commit(std::string* reason) override {
    return Place(ReplaceFile, reason);
  }
  bool CommitNew(std::string* reason) override {
    return Place(PlaceNewFile, reason);
  }

 private:
  using Placing = std::optional<std::string> (*)(const fs::path&,
                                                 const fs::path&);

  bool Place(Placing place, std::string* reason) {
    if (CloseFd(fd_) != 0 && failure_.empty()) failure_ = ErrnoMessage(errno);
    fd_ = -1;
    if (failure_.empty()) {
      if (auto why = place(temporary_, target_)) failure_ = *why;
    }
    if (!failure_.empty()) {
      RemoveTemporary();
      SetReason(reason, failure_);
      return false;
    }
    committed_ = true;
    return true;
  }

  void RemoveTemporary() {
    std::error_code error;
    fs::remove(OpenablePath(temporary_), error);
  }

  int fd_;
  fs::path temporary_;
  fs::path target_;
  std::string failure_;
  bool committed_ = false;
};

}  // namespace

std::unique_ptr<FileSystem::Output> DiskFileSystem::CreateOutput(
    const fs::path& target, std::string* reason) {
  switch (TypeOf(target)) {
    case EntryType::kFolder:
      SetReason(reason, "is a folder");
      return nullptr;
    case EntryType::kOther:
      SetReason(reason, "not a regular file");
      return nullptr;
    default:
      break;
  }
  const fs::path folder = target.parent_path();
  if (!folder.empty() && TypeOf(folder) != EntryType::kFolder) {
    SetReason(reason, "no such folder");
    return nullptr;
  }
  // A name of our own beside the target: the rename stays on one file
  // system, and a file another run is writing is never taken over.
  constexpr int kAttempts = 100;
  for (int attempt = 1; attempt <= kAttempts; ++attempt) {
    const fs::path temporary = TemporaryName(target, attempt);
    const int fd = CreateNewFile(temporary);
    if (fd >= 0) return std::make_unique<DiskOutput>(fd, temporary, target);
    if (errno != EEXIST) {
      SetReason(reason, "cannot create " +
                            formats::ShownPath(temporary.filename()) + ": " +
                            ErrnoMessage(errno));
      return nullptr;
    }
  }
  SetReason(reason, "too many temporary files beside it");
  return nullptr;
}

bool DiskFileSystem::MakeFolder(const fs::path& folder, std::string* reason) {
  std::error_code error;
  if (fs::create_directory(OpenablePath(folder), error)) return true;
  if (error) {
    SetReason(reason, error.message());
    return false;
  }
  if (TypeOf(folder) == EntryType::kFolder) return true;
  SetReason(reason, "not a folder");
  return false;
}

FileSystem::Match DiskFileSystem::FindEntryIn(
    const fs::path::string_type& folder, const std::string& name) {
  return listings_.Find(folder, name);
}

FileSystem::Match DiskFileSystem::ReadEntryIn(
    const fs::path::string_type& folder, const std::string& name,
    std::optional<std::string>& text) {
  // A file is mostly read again by the name it was found by, and most
  // names are spelled as on disk: such a name is opened at once, and the
  // open shows that the entry is still there. This saves a look at the
  // folder, which costs as much as the open. On Windows the system finds
  // names without regard to case, and a name found so is left to the
  // search, which tells the name as the folder spells it.
#if !defined(_WIN32)
  if (auto path = listings_.FoundAsSpelled(folder, name)) {
    text = ReadFile(*path, nullptr);
    if (text) return Match{true, std::move(path)};
  }
#endif
  return FileSystem::ReadEntryIn(folder, name, text);
}

FileSystem::EntryType DiskFileSystem::TypeOf(const fs::path& path) {
#if defined(_WIN32)
  // The runtime's stat takes no extended path: a long one is asked of the
  // system.
  const fs::path openable = OpenablePath(path);
  if (openable.native() != path.native()) {
    const DWORD attributes = GetFileAttributesW(openable.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return EntryType::kNone;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return EntryType::kFolder;
    if (attributes & FILE_ATTRIBUTE_DEVICE) return EntryType::kOther;
    return EntryType::kFile;
  }
#endif
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (error) return EntryType::kNone;
  switch (status.type()) {
    case fs::file_type::regular:
      return EntryType::kFile;
    case fs::file_type::directory:
      return EntryType::kFolder;
    case fs::file_type::not_found:
      return EntryType::kNone;
    default:
      return EntryType::kOther;
  }
}

std::optional<std::string> DiskFileSystem::ReadFile(const fs::path& path,
                                                    std::string* reason) {
  return Read(path, reason, nullptr);
}

std::optional<std::string> DiskFileSystem::ReadIdentifiedFile(
    const fs::path& path, std::string* reason,
    std::optional<Identity>& identity) {
  identity.reset();
  return Read(path, reason, &identity);
}

std::optional<std::string> DiskFileSystem::Read(
    const fs::path& path, std::string* reason,
    std::optional<Identity>* identity) {
  // Opened by its native name, so that names beyond ASCII survive on
  // Windows, and examined through the open file, so that a read costs one
  // look at the file. A FIFO is opened without waiting for a writer, and
  // then refused as not a regular file.
#if defined(_WIN32)
  const int fd = _wopen(OpenablePath(path).c_str(), _O_RDONLY | _O_BINARY);
  struct _stat64 info {};
  const bool examined = fd >= 0 && _fstat64(fd, &info) == 0;
  const bool regular = examined && (info.st_mode & _S_IFMT) == _S_IFREG;
#else
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  struct stat info {};
  const bool examined = fd >= 0 && fstat(fd, &info) == 0;
  const bool regular = examined && S_ISREG(info.st_mode);
#endif
  const int open_error = errno;
  if (!regular) {
    if (fd >= 0) CloseFd(fd);
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found) {
      SetReason(reason, "no such file");
    } else if (error) {
      // A loop of links, say, or a folder without access.
      SetReason(reason, error.message());
    } else if (status.type() != fs::file_type::regular) {
      SetReason(reason, "not a regular file");
    } else {
      SetReason(reason,
                "cannot open it for reading: " + ErrnoMessage(open_error));
    }
    return std::nullopt;
  }
  const auto size = static_cast<unsigned long long>(info.st_size);
  if (size > kLargestFile) {
    CloseFd(fd);
    SetReason(reason, TooLarge(size));
    return std::nullopt;
  }
  // Read straight into a string sized once, in one read when the file is
  // as large as it was when examined: a regular file reads short only at
  // its end. A file that grew meanwhile is read on in blocks.
  std::string text;
  try {
    text.resize(static_cast<std::size_t>(size) + 1);
    std::size_t filled = 0;
    for (;;) {
      if (filled == text.size()) {
        // It grew while being read.
        if (filled > kLargestFile) throw std::bad_alloc();
        constexpr std::size_t kBlock = 1 << 14;
        text.resize(std::min(filled + kBlock,
                             static_cast<std::size_t>(kLargestFile) + 1));
      }
      const long got = ReadFd(fd, &text[filled], text.size() - filled);
      if (got < 0) {
        const int read_error = errno;
        CloseFd(fd);
        SetReason(reason, "reading it failed: " + ErrnoMessage(read_error));
        return std::nullopt;
      }
      filled += static_cast<std::size_t>(got);
      if (filled < text.size()) break;  // at the end, or nothing more read
    }
    text.resize(filled);
  } catch (const std::bad_alloc&) {
    CloseFd(fd);
    SetReason(reason, TooLarge(size));
    return std::nullopt;
  }
  if (identity != nullptr) *identity = IdentityOfOpenFile(fd);
  CloseFd(fd);
  return text;
}

std::optional<FileSystem::Tree> DiskFileSystem::EntriesBelow(
    const fs::path& folder) {
  std::error_code error;
  Tree tree;
  fs::recursive_directory_iterator it(folder, error), end;
  if (error) return std::nullopt;
  for (; it != end; it.increment(error)) {
    if (error) return std::nullopt;
    if (it->is_regular_file(error)) {
      tree.files.push_back(it->path());
    } else if (it->is_directory(error)) {
      tree.folders.push_back(it->path());
    }
  }
  if (error) return std::nullopt;
  std::sort(tree.files.begin(), tree.files.end());
  std::sort(tree.folders.begin(), tree.folders.end());
  return tree;
}

}  // namespace files
