#include "folder_listings.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <system_error>

#include "host_paths.h"
#include "test_folder.h"

namespace fs = std::filesystem;
using standin::FolderListings;
using standin::ResolveHostPath;

namespace {

// Dates the folder's last change an hour back, so that its listing is kept.
// False when the file system does not let the time be set.
bool SettleFolder(const fs::path& folder) {
  std::error_code error;
  fs::last_write_time(
      folder, fs::file_time_type::clock::now() - std::chrono::hours(1), error);
  return !error;
}

// True when `folder` lies on a file system that ignores case, where two
// names differing only in case cannot both exist.
bool IgnoresCase(const TestFolder& folder) {
  folder.Write("case-probe", "");
  const bool ignores = fs::exists(folder.path() / "CASE-PROBE");
  fs::remove(folder.path() / "case-probe");
  return ignores;
}

}  // namespace

TEST(FolderListingsTest, FindsNamesAsTheHostDoesInFreshAndKeptListings) {
  TestFolder folder;
  if (IgnoresCase(folder)) GTEST_SKIP() << "the file system ignores case";
  folder.Write("Lander.cfg", "a");
  folder.Write("LANDER.cfg", "b");
  folder.Write("tug.cfg", "c");
  const fs::path path = folder.path();

  for (const bool settled : {false, true}) {
    SCOPED_TRACE(settled ? "kept listing" : "folder changed just now");
    if (settled) {
      ASSERT_TRUE(SettleFolder(path));
    }
    FolderListings listings;
    // The exact spelling wins over the first in sorted order.
    EXPECT_EQ(listings.Find(path, "Lander.cfg").entry, path / "Lander.cfg");
    EXPECT_EQ(listings.Find(path, "LANDER.cfg").entry, path / "LANDER.cfg");
    // Otherwise the first in sorted order ('L' < 'a').
    EXPECT_EQ(listings.Find(path, "lander.cfg").entry, path / "LANDER.cfg");
    EXPECT_EQ(listings.Find(path, "TUG.CFG").entry, path / "tug.cfg");
    const auto missing = listings.Find(path, "Shuttle.cfg");
    EXPECT_TRUE(missing.folder_found);
    EXPECT_FALSE(missing.entry);
    const auto no_folder = listings.Find(path / "Nowhere", "tug.cfg");
    EXPECT_FALSE(no_folder.folder_found);
    EXPECT_FALSE(no_folder.entry);
  }
}

TEST(FolderListingsTest, ScansAnUnchangedFolderOnceAndSeesEveryChange) {
  TestFolder folder;
  if (IgnoresCase(folder)) GTEST_SKIP() << "the file system ignores case";
  const fs::path path = folder.path();
  folder.Write("Lander.cfg", "a");

  {
    SCOPED_TRACE("a folder changed just now is scanned on every miss");
    FolderListings listings;
    EXPECT_FALSE(listings.Find(path, "tug.cfg").entry);
    EXPECT_FALSE(listings.Find(path, "tug.cfg").entry);
    EXPECT_EQ(listings.scans(), 2u);
    // Created in the same tick of the clock as the scans: still seen.
    folder.Write("Tug.cfg", "b");
    EXPECT_EQ(listings.Find(path, "tug.cfg").entry, path / "Tug.cfg");
  }

  ASSERT_TRUE(SettleFolder(path));
  FolderListings listings;
  EXPECT_EQ(listings.Find(path, "LANDER.CFG").entry, path / "Lander.cfg");
  EXPECT_EQ(listings.Find(path, "Lander.cfg").entry, path / "Lander.cfg");
  EXPECT_FALSE(listings.Find(path, "Shuttle.cfg").entry);
  EXPECT_FALSE(listings.Find(path, "shuttle.cfg").entry);
  EXPECT_EQ(listings.scans(), 1u);

  {
    SCOPED_TRACE("created");
    folder.Write("SHUTTLE.cfg", "c");
    EXPECT_EQ(listings.Find(path, "shuttle.cfg").entry, path / "SHUTTLE.cfg");
    SettleFolder(path);
    // An exactly spelled name added beside it is preferred at once.
    folder.Write("shuttle.cfg", "d");
    EXPECT_EQ(listings.Find(path, "shuttle.cfg").entry, path / "shuttle.cfg");
  }
  {
    SCOPED_TRACE("removed");
    SettleFolder(path);
    EXPECT_EQ(listings.Find(path, "Lander.cfg").entry, path / "Lander.cfg");
    fs::remove(path / "Lander.cfg");
    EXPECT_FALSE(listings.Find(path, "Lander.cfg").entry);
    EXPECT_FALSE(listings.Find(path, "lander.cfg").entry);
  }
  {
    SCOPED_TRACE("renamed");
    SettleFolder(path);
    EXPECT_EQ(listings.Find(path, "tug.cfg").entry, path / "Tug.cfg");
    fs::rename(path / "Tug.cfg", path / "TUG.cfg");
    EXPECT_EQ(listings.Find(path, "tug.cfg").entry, path / "TUG.cfg");
  }
  {
    SCOPED_TRACE("folder removed");
    SettleFolder(path);
    EXPECT_TRUE(listings.Find(path, "TUG.cfg").entry);
    fs::remove_all(path);
    EXPECT_FALSE(listings.Find(path, "TUG.cfg").folder_found);
    EXPECT_FALSE(listings.Find(path, "TUG.cfg").entry);
  }
}

TEST(HostPathsTest, ResolvesThroughKeptListingsAndSeesFilesCreatedBetween) {
  TestFolder folder;
  if (IgnoresCase(folder)) GTEST_SKIP() << "the file system ignores case";
  const fs::path base = folder.path();
  folder.Write("Config/Vantrel/Lander.cfg", "a");
  SettleFolder(base / "Config" / "Vantrel");
  SettleFolder(base / "Config");
  SettleFolder(base);

  // The folders as spelled on disk, and spelled otherwise.
  EXPECT_EQ(ResolveHostPath(base, "Config\\Vantrel\\lander.cfg"),
            base / "Config" / "Vantrel" / "Lander.cfg");
  EXPECT_EQ(ResolveHostPath(base, "config\\VANTREL\\LANDER.CFG"),
            base / "Config" / "Vantrel" / "Lander.cfg");
  EXPECT_FALSE(ResolveHostPath(base, "Config\\Vantrel\\Tug.cfg"));
  EXPECT_FALSE(ResolveHostPath(base, "config\\vantrel\\Tug.cfg"));
  EXPECT_FALSE(ResolveHostPath(base, "Config\\Missing\\Tug.cfg"));

  // A file created between two lookups, and one removed.
  folder.Write("Config/Vantrel/tug.cfg", "b");
  EXPECT_EQ(ResolveHostPath(base, "Config\\Vantrel\\Tug.cfg"),
            base / "Config" / "Vantrel" / "tug.cfg");
  EXPECT_EQ(ResolveHostPath(base, "CONFIG\\Vantrel\\TUG.cfg"),
            base / "Config" / "Vantrel" / "tug.cfg");
  fs::remove(base / "Config" / "Vantrel" / "Lander.cfg");
  EXPECT_FALSE(ResolveHostPath(base, "Config\\Vantrel\\Lander.cfg"));
  EXPECT_FALSE(ResolveHostPath(base, "config\\vantrel\\lander.cfg"));
}
