#include "files/folder_listings.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <system_error>

#include "files/disk_file_system.h"
#include "files/host_file.h"
#include "files/host_paths.h"
#include "test_folder.h"

namespace fs = std::filesystem;
using files::FolderListings;
using files::ResolveHostPath;

namespace {

// Searches `folder` until its listing is kept: once the tick of the file
// system's clock in which the folder last changed has passed. False when
// that takes more than five seconds.
bool AwaitKept(FolderListings& listings, const fs::path& folder) {
  const auto give_up =
      std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (std::chrono::steady_clock::now() < give_up) {
    const std::size_t scans = listings.scans();
    listings.Find(folder, "");
    listings.Find(folder, "");
    if (listings.scans() <= scans + 1) return true;
  }
  return false;
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

  FolderListings listings;
  for (const bool kept : {false, true}) {
    SCOPED_TRACE(kept ? "kept listing" : "folder changed just now");
    if (kept) {
      ASSERT_TRUE(AwaitKept(listings, path));
    }
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
    SCOPED_TRACE("a file written in the clock tick of a scan is seen");
    FolderListings listings;
    EXPECT_FALSE(listings.Find(path, "tug.cfg").entry);
#if defined(__linux__)
    // Linux watches the folder, so that its listing is kept at once.
    const std::size_t scans = listings.scans();
    EXPECT_FALSE(listings.Find(path, "TUG.cfg").entry);
    EXPECT_EQ(listings.scans(), scans) << "an unchanged folder was scanned";
#endif
    folder.Write("Tug.cfg", "b");
    EXPECT_EQ(listings.Find(path, "tug.cfg").entry, path / "Tug.cfg");
    folder.Write("Rover.cfg", "b");
    EXPECT_EQ(listings.Find(path, "ROVER.cfg").entry, path / "Rover.cfg");
    fs::remove(path / "Rover.cfg");
    EXPECT_FALSE(listings.Find(path, "ROVER.cfg").entry);
  }

  FolderListings listings;
  ASSERT_TRUE(AwaitKept(listings, path));
  const std::size_t scans = listings.scans();
  EXPECT_EQ(listings.Find(path, "LANDER.CFG").entry, path / "Lander.cfg");
  EXPECT_EQ(listings.Find(path, "Lander.cfg").entry, path / "Lander.cfg");
  EXPECT_FALSE(listings.Find(path, "Shuttle.cfg").entry);
  EXPECT_FALSE(listings.Find(path, "shuttle.cfg").entry);
  EXPECT_EQ(listings.scans(), scans) << "an unchanged folder was scanned";

  {
    SCOPED_TRACE("created");
    folder.Write("SHUTTLE.cfg", "c");
    EXPECT_EQ(listings.Find(path, "shuttle.cfg").entry, path / "SHUTTLE.cfg");
    ASSERT_TRUE(AwaitKept(listings, path));
    // An exactly spelled name added beside it is preferred at once.
    folder.Write("shuttle.cfg", "d");
    EXPECT_EQ(listings.Find(path, "shuttle.cfg").entry, path / "shuttle.cfg");
  }
  {
    SCOPED_TRACE("removed");
    ASSERT_TRUE(AwaitKept(listings, path));
    EXPECT_EQ(listings.Find(path, "Lander.cfg").entry, path / "Lander.cfg");
    fs::remove(path / "Lander.cfg");
    EXPECT_FALSE(listings.Find(path, "Lander.cfg").entry);
    EXPECT_FALSE(listings.Find(path, "lander.cfg").entry);
  }
  {
    SCOPED_TRACE("renamed");
    ASSERT_TRUE(AwaitKept(listings, path));
    EXPECT_EQ(listings.Find(path, "tug.cfg").entry, path / "Tug.cfg");
    fs::rename(path / "Tug.cfg", path / "TUG.cfg");
    EXPECT_EQ(listings.Find(path, "tug.cfg").entry, path / "TUG.cfg");
  }
  {
    SCOPED_TRACE("names found as spelled are kept without a listing");
    ASSERT_TRUE(AwaitKept(listings, path));
    FolderListings named;
    EXPECT_EQ(named.Find(path, "SHUTTLE.cfg").entry, path / "SHUTTLE.cfg");
    EXPECT_EQ(named.Find(path, "SHUTTLE.cfg").entry, path / "SHUTTLE.cfg");
    EXPECT_EQ(named.scans(), 0u);
    fs::rename(path / "SHUTTLE.cfg", path / "Orbiter.cfg");
    // Gone as spelled, the name finds the entry that differs in case.
    EXPECT_EQ(named.Find(path, "SHUTTLE.cfg").entry, path / "shuttle.cfg");
  }
  {
    SCOPED_TRACE("folder removed");
    ASSERT_TRUE(AwaitKept(listings, path));
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
  files::DiskFileSystem files;

  // The folders as spelled on disk, and spelled otherwise.
  EXPECT_EQ(ResolveHostPath(files, base, "Config\\Vantrel\\lander.cfg"),
            base / "Config" / "Vantrel" / "Lander.cfg");
  EXPECT_EQ(ResolveHostPath(files, base, "config\\VANTREL\\LANDER.CFG"),
            base / "Config" / "Vantrel" / "Lander.cfg");
  EXPECT_FALSE(ResolveHostPath(files, base, "Config\\Vantrel\\Tug.cfg"));
  EXPECT_FALSE(ResolveHostPath(files, base, "config\\vantrel\\Tug.cfg"));
  EXPECT_FALSE(ResolveHostPath(files, base, "Config\\Missing\\Tug.cfg"));

  // A file created between two lookups, and one removed.
  folder.Write("Config/Vantrel/tug.cfg", "b");
  EXPECT_EQ(ResolveHostPath(files, base, "Config\\Vantrel\\Tug.cfg"),
            base / "Config" / "Vantrel" / "tug.cfg");
  EXPECT_EQ(ResolveHostPath(files, base, "CONFIG\\Vantrel\\TUG.cfg"),
            base / "Config" / "Vantrel" / "tug.cfg");
  fs::remove(base / "Config" / "Vantrel" / "Lander.cfg");
  EXPECT_FALSE(ResolveHostPath(files, base, "Config\\Vantrel\\Lander.cfg"));
  EXPECT_FALSE(ResolveHostPath(files, base, "config\\vantrel\\lander.cfg"));

  {
    SCOPED_TRACE("a file read again by the name it was found by");
    const fs::path folder_path = base / "Config" / "Vantrel";
    const char* const rover = "Config\\Vantrel\\Rover.cfg";
    folder.Write("Config/Vantrel/Rover.cfg", "c");
    // A search for a missing name lists the folder, Rover.cfg included.
    EXPECT_FALSE(files::ReadHostFile(files, base, "Config\\Vantrel\\No.cfg"));
    auto read = files::ReadHostFile(files, base, rover);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->text, "c");
    folder.Write("Config/Vantrel/Rover.cfg", "d");
    read = files::ReadHostFile(files, base, rover);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->text, "d");
    EXPECT_EQ(read->disk_path, folder_path / "Rover.cfg");
    // Gone as spelled, the name finds the entry that differs in case.
    fs::rename(folder_path / "Rover.cfg", folder_path / "ROVER.cfg");
    read = files::ReadHostFile(files, base, rover);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->disk_path, folder_path / "ROVER.cfg");
    fs::remove(folder_path / "ROVER.cfg");
    EXPECT_FALSE(files::ReadHostFile(files, base, rover));
  }
}
