// Definition paths that name no readable file: a folder, a file nobody may
// read, and loops of symbolic links. The module must log the miss, go on to
// the class and give every file handle back (see bad_input_module.h).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "bad_input_module.h"

namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kMissLog = {
    "Vantrel: No TD Pts Override for: Bad",
    "Vantrel: No TD Pts Override for: BadClass"};

bad_input::Outcome UpdateWith(
    const std::function<void(const fs::path& vantrel)>& prepare) {
  return bad_input::Update({}, [&prepare](const TestFolder& folder) {
    folder.WriteDefinition("Other.cfg", "");
    prepare(folder.path() / "Config" / "Vantrel");
  });
}

TEST(BadDefinitionPathTest, NamesNoReadableFile) {
  struct Case {
    const char* what;
    std::function<void(const fs::path&)> prepare;
  };
  const Case cases[] = {
      {"a folder",
       [](const fs::path& vantrel) {
         fs::create_directories(vantrel / "Bad.cfg");
         std::ofstream(vantrel / "Bad.cfg" / "N") << "N = 3\n";
       }},
      {"a symbolic link to itself",
       [](const fs::path& vantrel) {
         fs::create_symlink("Bad.cfg", vantrel / "Bad.cfg");
       }},
      {"a loop of two symbolic links",
       [](const fs::path& vantrel) {
         fs::create_symlink("Loop.cfg", vantrel / "Bad.cfg");
         fs::create_symlink("Bad.cfg", vantrel / "Loop.cfg");
       }},
      {"a link to a folder that links back",
       [](const fs::path& vantrel) {
         fs::create_symlink(".", vantrel / "Bad.cfg");
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
#if defined(_WIN32)
    // Wine, like many Windows set-ups, makes no symbolic links.
    if (std::string(c.what) != "a folder") continue;
#endif
    const auto outcome = UpdateWith(c.prepare);
    EXPECT_EQ(outcome.log, kMissLog);
    EXPECT_EQ(outcome.sets, 0);
  }
}

TEST(BadDefinitionPathTest, UnreadableFile) {
  bool readable_anyway = false;
  const auto outcome = UpdateWith([&](const fs::path& vantrel) {
    const fs::path file = vantrel / "Bad.cfg";
    std::ofstream(file) << "N = 3\nPOINT_1 = 0 -1 2\n";
    fs::permissions(file, fs::perms::none);
    readable_anyway = std::ifstream(file).is_open();
  });
  if (readable_anyway) {
    GTEST_SKIP() << "a file without permissions is still readable here "
                    "(running as root)";
  }
  EXPECT_EQ(outcome.log, kMissLog);
  EXPECT_EQ(outcome.sets, 0);
}

}  // namespace
