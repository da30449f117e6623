#include "whole_file.h"

#include <cstdio>
#include <system_error>

namespace standin {

namespace {

std::optional<std::string> Fail(std::string* reason, std::string why) {
  if (reason != nullptr) *reason = std::move(why);
  return std::nullopt;
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path,
                                         std::string* reason) {
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (status.type() == std::filesystem::file_type::not_found) {
    return Fail(reason, "no such file");
  }
  // Not a missing file: a loop of links, say, or a folder without access.
  if (error) return Fail(reason, error.message());
  if (status.type() == std::filesystem::file_type::directory) {
    return Fail(reason, "it is a folder");
  }
  if (status.type() != std::filesystem::file_type::regular) {
    return Fail(reason, "it is not a regular file");
  }
  // Opened by its native name, so that names beyond ASCII survive on
  // Windows too.
#if defined(_WIN32)
  std::FILE* file = _wfopen(path.c_str(), L"rb");
#else
  std::FILE* file = std::fopen(path.c_str(), "rb");
#endif
  if (file == nullptr) return Fail(reason, "cannot open it for reading");
  // Read in large blocks: a definition may hold thousands of points.
  std::string text;
  char block[1 << 14];
  std::size_t got = 0;
  while ((got = std::fread(block, 1, sizeof block, file)) > 0) {
    text.append(block, got);
  }
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return Fail(reason, "reading it failed");
  return text;
}

}  // namespace standin
