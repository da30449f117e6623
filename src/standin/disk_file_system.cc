#include "disk_file_system.h"

#include <algorithm>
#include <string>
#include <system_error>
#include <utility>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace standin {
namespace {

namespace fs = std::filesystem;

void SetReason(std::string* reason, std::string text) {
  if (reason != nullptr) *reason = std::move(text);
}

#if defined(_WIN32)
void CloseFd(int fd) { _close(fd); }
long ReadFd(int fd, char* buffer, std::size_t size) {
  return _read(fd, buffer, static_cast<unsigned>(size));
}
#else
void CloseFd(int fd) { close(fd); }
long ReadFd(int fd, char* buffer, std::size_t size) {
  return static_cast<long>(read(fd, buffer, size));
}
#endif

}  // namespace

FileSystem::Match DiskFileSystem::FindEntry(const fs::path& folder,
                                            const std::string& name) {
  return listings_.Find(folder, name);
}

FileSystem::EntryType DiskFileSystem::TypeOf(const fs::path& path) {
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
  // Opened by its native name, so that names beyond ASCII survive on
  // Windows, and examined through the open file, so that a read costs one
  // look at the file. A FIFO is opened without waiting for a writer, and
  // then refused as not a regular file.
#if defined(_WIN32)
  const int fd = _wopen(path.c_str(), _O_RDONLY | _O_BINARY);
  struct _stat64 info {};
  const bool examined = fd >= 0 && _fstat64(fd, &info) == 0;
  const bool regular = examined && (info.st_mode & _S_IFMT) == _S_IFREG;
#else
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  struct stat info {};
  const bool examined = fd >= 0 && fstat(fd, &info) == 0;
  const bool regular = examined && S_ISREG(info.st_mode);
#endif
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
      SetReason(reason, "cannot open it for reading");
    }
    return std::nullopt;
  }
  // Read in large blocks into a string sized once: a definition may hold
  // thousands of points.
  std::string text;
  text.reserve(static_cast<std::size_t>(info.st_size));
  char block[1 << 14];
  for (;;) {
    const long got = ReadFd(fd, block, sizeof block);
    if (got < 0) {
      CloseFd(fd);
      SetReason(reason, "reading it failed");
      return std::nullopt;
    }
    if (got == 0) break;
    text.append(block, static_cast<std::size_t>(got));
  }
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

}  // namespace standin
