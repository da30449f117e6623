#include "disk_file_system.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <system_error>

namespace standin {
namespace {

namespace fs = std::filesystem;

void SetReason(std::string* reason, std::string text) {
  if (reason != nullptr) *reason = std::move(text);
}

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
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (status.type() == fs::file_type::not_found) {
    SetReason(reason, "no such file");
    return std::nullopt;
  }
  if (error) {
    // Not a missing file: a loop of links, say, or a folder without access.
    SetReason(reason, error.message());
    return std::nullopt;
  }
  if (status.type() != fs::file_type::regular) {
    SetReason(reason, "not a regular file");
    return std::nullopt;
  }
#if defined(_WIN32)
  std::FILE* file = _wfopen(path.c_str(), L"rb");
#else
  std::FILE* file = std::fopen(path.c_str(), "rb");
#endif
  if (file == nullptr) {
    SetReason(reason, "cannot open it for reading");
    return std::nullopt;
  }
  // Read in large blocks into a string sized once: a definition may hold
  // thousands of points.
  std::string text;
  const std::uintmax_t size = fs::file_size(path, error);
  if (!error) text.reserve(static_cast<std::size_t>(size));
  char block[1 << 14];
  std::size_t got = 0;
  while ((got = std::fread(block, 1, sizeof block, file)) > 0) {
    text.append(block, got);
  }
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) {
    SetReason(reason, "reading it failed");
    return std::nullopt;
  }
  return text;
}

std::optional<std::vector<fs::path>> DiskFileSystem::FilesBelow(
    const fs::path& folder) {
  std::error_code error;
  std::vector<fs::path> files;
  fs::recursive_directory_iterator it(folder, error), end;
  if (error) return std::nullopt;
  for (; it != end; it.increment(error)) {
    if (error) return std::nullopt;
    if (it->is_regular_file(error)) files.push_back(it->path());
  }
  if (error) return std::nullopt;
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace standin
