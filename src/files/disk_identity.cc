// How the disk tells entries apart, and resolves a path to the one the
// system opens, on Linux and on Windows.
#include "files/disk_identity.h"

#include <cstdlib>
#include <memory>
#include <string>

#include "files/disk_file_system.h"
#include "files/openable_path.h"

#if defined(_WIN32)
#include <io.h>
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace files {
namespace {

namespace fs = std::filesystem;

#if defined(_WIN32)
// The file index is 64 bits on NTFS and FAT; ReFS keeps 128, of which this
// takes the lower half, as GetFileInformationByHandle gives it.
std::optional<FileSystem::Identity> IdentityOfHandle(HANDLE handle) {
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(handle, &info)) return std::nullopt;
  FileSystem::Identity identity;
  identity.volume = info.dwVolumeSerialNumber;
  identity.index =
      (static_cast<unsigned long long>(info.nFileIndexHigh) << 32) |
      info.nFileIndexLow;
  return identity;
}

// Closes the handle when it goes.
struct HandleCloser {
  void operator()(void* handle) const { CloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

// The entry `path` names, following links and junctions, opened only to
// examine it: no access to its content, shared with every other use, and
// folders too (FILE_FLAG_BACKUP_SEMANTICS). Empty when it cannot be opened.
Handle OpenToExamine(const fs::path& path) {
  HANDLE handle =
      CreateFileW(OpenablePath(path).c_str(), FILE_READ_ATTRIBUTES,
                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  return Handle(handle);
}
#endif

}  // namespace

#if defined(_WIN32)

std::optional<FileSystem::Identity> IdentityOfOpenFile(int fd) {
  const intptr_t handle = _get_osfhandle(fd);
  if (handle == -1) return std::nullopt;
  return IdentityOfHandle(reinterpret_cast<HANDLE>(handle));
}

std::optional<FileSystem::Identity> DiskFileSystem::IdentityOf(
    const fs::path& path) {
  const Handle handle = OpenToExamine(path);
  if (!handle) return std::nullopt;
  return IdentityOfHandle(handle.get());
}

std::optional<fs::path> DiskFileSystem::FinalPath(const fs::path& path) {
  const Handle handle = OpenToExamine(path);
  if (!handle) return std::nullopt;
  constexpr DWORD kFlags = FILE_NAME_NORMALIZED | VOLUME_NAME_DOS;
  std::wstring final(MAX_PATH, L'\0');
  DWORD length = GetFinalPathNameByHandleW(
      handle.get(), final.data(), static_cast<DWORD>(final.size()), kFlags);
  if (length >= final.size()) {
    // Too short: `length` is the size needed, with the closing zero.
    final.assign(length, L'\0');
    length = GetFinalPathNameByHandleW(
        handle.get(), final.data(), static_cast<DWORD>(final.size()), kFlags);
  }
  if (length == 0 || length >= final.size()) return std::nullopt;
  final.resize(length);
  return fs::path(final);
}

#else

std::optional<FileSystem::Identity> IdentityOfOpenFile(int fd) {
  struct stat info {};
  if (fstat(fd, &info) != 0) return std::nullopt;
  return FileSystem::Identity{static_cast<unsigned long long>(info.st_dev),
                              static_cast<unsigned long long>(info.st_ino)};
}

std::optional<FileSystem::Identity> DiskFileSystem::IdentityOf(
    const fs::path& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return std::nullopt;
  return FileSystem::Identity{static_cast<unsigned long long>(info.st_dev),
                              static_cast<unsigned long long>(info.st_ino)};
}

std::optional<fs::path> DiskFileSystem::FinalPath(const fs::path& path) {
  const std::unique_ptr<char, decltype(&std::free)> resolved(
      realpath(path.c_str(), nullptr), &std::free);
  if (!resolved) return std::nullopt;
  return fs::path(resolved.get());
}

#endif

}  // namespace files
