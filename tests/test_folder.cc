#include "test_folder.h"

#include <atomic>
#include <fstream>
#include <random>
#include <system_error>

namespace fs = std::filesystem;

TestFolder::TestFolder() {
  static std::atomic<int> counter{0};
  std::random_device random;
  path_ =
      fs::temp_directory_path() / ("vantrel-test-" + std::to_string(random()) +
                                   "-" + std::to_string(counter++));
  fs::create_directories(path_);
}

TestFolder::~TestFolder() {
  std::error_code error;
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, error);
  fs::remove_all(path_, error);
}

fs::path TestFolder::Write(const std::string& relative,
                           const std::string& text) const {
  const fs::path path = path_ / relative;
  fs::create_directories(path.parent_path());
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << text;
  return path;
}

void TestFolder::CopyBodyFiles() const {
  const fs::path from = fs::path(VANTREL_TEST_DATA) / "simulator-sample";
  fs::create_directories(path_ / "Config");
  for (const char* body : {"Earth.cfg", "Moon.cfg", "Mars.cfg"}) {
    fs::copy_file(from / "Config" / body, path_ / "Config" / body,
                  fs::copy_options::overwrite_existing);
  }
}
