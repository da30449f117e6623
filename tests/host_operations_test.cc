// The stand-in's host operations, called as a plug-in calls them.
#include <cstring>
#include <string>

#include "host_fixture.h"
#include "orbiter_api.h"

namespace {

class HostOperationsTest : public HostTest {
 protected:
  FILEHANDLE Open(const char* path) {
    return oapiOpenFile(path, FILE_IN_ZEROONFAIL, CONFIG);
  }
};

TEST_F(HostOperationsTest, OpensFilesBelowConfigWithoutRegardToCase) {
  folder.Write("Config/Vantrel/Lander.cfg", "N = 3\n");
  folder.Write("Config/Fleet/Mk2/Probe.cfg", "N = 4\n");
  folder.Write("Lander.cfg", "N = 9\n");
  int n = 0;
  char key[] = "N";

  FILEHANDLE file = Open("\\vantrel\\LANDER.CFG");
  ASSERT_NE(file, nullptr);
  EXPECT_TRUE(oapiReadItem_int(file, key, n));
  EXPECT_EQ(n, 3);
  oapiCloseFile(file, FILE_IN_ZEROONFAIL);

  file = Open("\\Fleet\\mk2\\Probe.cfg");
  ASSERT_NE(file, nullptr);
  EXPECT_TRUE(oapiReadItem_int(file, key, n));
  EXPECT_EQ(n, 4);
  oapiCloseFile(file, FILE_IN_ZEROONFAIL);

  // Root 1 is the Config folder; the host folder itself is root 0.
  EXPECT_EQ(Open("\\Lander.cfg"), nullptr);
  file = oapiOpenFile("Lander.cfg", FILE_IN_ZEROONFAIL, ROOT);
  EXPECT_NE(file, nullptr);
  oapiCloseFile(file, FILE_IN_ZEROONFAIL);
  ExpectHostClean();
}

TEST_F(HostOperationsTest, PrefersTheExactSpellingAndFollowsWindowsNames) {
  folder.Write("Config/Vantrel/Probe.cfg", "N = 2\n");
  folder.Write("Config/Vantrel/Rover.cfg", "N = 3\n");
  // A second spelling, as a file system that tells case apart may hold.
  folder.Write("Config/Vantrel/probe.cfg", "N = 1\n");
  auto read_n = [this](const char* path) {
    int n = 0;
    char key[] = "N";
    FILEHANDLE file = Open(path);
    oapiReadItem_int(file, key, n);
    oapiCloseFile(file, FILE_IN_ZEROONFAIL);
    return n;
  };
  EXPECT_EQ(read_n("\\Vantrel\\Probe.cfg"), 2);
  EXPECT_EQ(read_n("\\Vantrel\\probe.cfg"), 1);
  // Otherwise the first in sorted order ('P' < 'p'); when it goes, the next.
  EXPECT_EQ(read_n("\\Vantrel\\PROBE.CFG"), 2);
  folder.files().Remove(folder.path() / "Config/Vantrel/Probe.cfg");
  EXPECT_EQ(read_n("\\Vantrel\\PROBE.CFG"), 1);

  // Windows drops trailing dots and spaces, and "." and "..".
  FILEHANDLE file = Open("\\Vantrel.\\.\\Sub\\..\\Rover.cfg. ");
  EXPECT_NE(file, nullptr);
  oapiCloseFile(file, FILE_IN_ZEROONFAIL);
  // Characters Windows forbids in names never name a file, even where the
  // file system allows them.
#if !defined(_WIN32)
  folder.Write("Config/Vantrel/A:B.cfg", "N = 3\n");
#endif
  EXPECT_EQ(Open("\\Vantrel\\A:B.cfg"), nullptr);
  // ".." never leaves the host folder.
  EXPECT_EQ(Open("\\..\\..\\Config\\Vantrel\\Rover.cfg"), nullptr);
  ExpectHostClean();
}

TEST_F(HostOperationsTest, ModeThreeGivesNullWhenTheFileCannotBeRead) {
  folder.Write("Config/Vantrel/Folder.cfg/inside.txt", "N = 3\n");
  EXPECT_EQ(Open("\\Vantrel\\Missing.cfg"), nullptr);
  EXPECT_EQ(Open("\\Vantrel\\Folder.cfg"), nullptr) << "a folder";
  EXPECT_EQ(Open("\\Missing\\Missing.cfg"), nullptr);
  EXPECT_EQ(session.files().total_opened(), 0u);
  // Closing a null handle does nothing.
  oapiCloseFile(nullptr, FILE_IN_ZEROONFAIL);
  ExpectHostClean();
}

TEST_F(HostOperationsTest, TheLedgerRefusesHandlesThatAreNotOpen) {
  folder.Write("Config/A.cfg", "N = 3\n");
  FILEHANDLE file = Open("A.cfg");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(session.files().open_count(), 1u);
  oapiCloseFile(file, FILE_IN_ZEROONFAIL);
  EXPECT_EQ(session.files().open_count(), 0u);
  EXPECT_TRUE(session.faults().empty());

  int n = 0;
  char key[] = "N";
  EXPECT_FALSE(oapiReadItem_int(file, key, n)) << "read after close";
  oapiCloseFile(file, FILE_IN_ZEROONFAIL);  // closed twice
  EXPECT_EQ(session.faults().size(), 2u);

  file = Open("A.cfg");
  oapiCloseFile(file, FILE_IN);
  EXPECT_EQ(session.faults().size(), 3u) << "closed with another mode";
}

TEST_F(HostOperationsTest, StringItemsAreCopiedWholeOrCutWhenAsked) {
  folder.Write("Config/A.cfg",
               "LONG = " + std::string(300, 'v') + "\nSHORT = abc\nEMPTY =\n");
  FILEHANDLE file = Open("A.cfg");
  ASSERT_NE(file, nullptr);
  char buffer[512];
  std::memset(buffer, '#', sizeof buffer);
  char long_key[] = "LONG";
  EXPECT_TRUE(oapiReadItem_string(file, long_key, buffer));
  EXPECT_EQ(std::string(buffer), std::string(300, 'v')) << "copied whole";
  std::memset(buffer, '#', sizeof buffer);
  host.cut_item_values = true;
  EXPECT_TRUE(oapiReadItem_string(file, long_key, buffer));
  EXPECT_EQ(std::strlen(buffer), 255u);
  EXPECT_EQ(buffer[256], '#') << "wrote past the 256-character buffer";

  char short_key[] = "short";
  EXPECT_TRUE(oapiReadItem_string(file, short_key, buffer));
  EXPECT_STREQ(buffer, "abc");
  // Absent and empty items leave the buffer untouched.
  char empty_key[] = "EMPTY";
  char missing_key[] = "MISSING";
  EXPECT_FALSE(oapiReadItem_string(file, empty_key, buffer));
  EXPECT_FALSE(oapiReadItem_string(file, missing_key, buffer));
  EXPECT_STREQ(buffer, "abc");
  int n = 5;
  EXPECT_FALSE(oapiReadItem_int(file, short_key, n));
  EXPECT_EQ(n, 5);
  oapiCloseFile(file, FILE_IN_ZEROONFAIL);
  ExpectHostClean();
}

TEST_F(HostOperationsTest, VesselsAnswerForTheirNameClassAndMass) {
  standin::SimObject& probe = AddVessel("Probe-1", "Lander", 1200.0);
  standin::SimObject& nameless_class = AddVessel("Rover", std::nullopt);
  standin::SimObject& moon = session.vessels().AddObject("Moon", 7.3e22);

  EXPECT_EQ(oapiGetVesselCount(), 2u);
  EXPECT_EQ(oapiGetVesselByIndex(0), static_cast<OBJHANDLE>(&probe));
  EXPECT_EQ(oapiGetVesselByIndex(1), static_cast<OBJHANDLE>(&nameless_class));
  EXPECT_TRUE(oapiIsVessel(&probe));
  EXPECT_FALSE(oapiIsVessel(&moon));
  EXPECT_DOUBLE_EQ(oapiGetMass(&probe), 1200.0);
  EXPECT_STREQ(oapiGetVesselInterface(&probe)->GetClassNameA(), "Lander");
  EXPECT_EQ(oapiGetVesselInterface(&nameless_class)->GetClassNameA(), nullptr);

  char name[8];
  oapiGetObjectName(&probe, name, sizeof name);
  EXPECT_STREQ(name, "Probe-1");
  char small[4];
  oapiGetObjectName(&probe, small, sizeof small);
  EXPECT_STREQ(small, "Pro") << "names are cut to the buffer, NUL included";
  ExpectHostClean();

  EXPECT_EQ(oapiGetVesselByIndex(2), nullptr);
  EXPECT_EQ(oapiGetVesselInterface(&moon), nullptr);
  EXPECT_EQ(session.faults().size(), 2u);
}

TEST_F(HostOperationsTest, SetTouchdownPointsNeedsThreeVertices) {
  standin::SimObject& vessel = AddVessel("Probe-1", "Lander");
  ASSERT_EQ(vessel.touchdown.size(), 3u) << "the vessel's own points";
  EXPECT_EQ(vessel.touchdown[0].pos.z, 10.0);

  TOUCHDOWNVTX points[4] = {};
  points[3].pos.y = -7.0;
  oapiGetVesselInterface(&vessel)->SetTouchdownPoints(points, 2);
  EXPECT_EQ(session.faults().size(), 1u) << "two vertices are refused";
  EXPECT_EQ(vessel.touchdown.size(), 3u);
  EXPECT_EQ(vessel.touchdown[0].pos.z, 10.0) << "refused points are not kept";
  EXPECT_EQ(vessel.touchdown_sets, 0);

  oapiGetVesselInterface(&vessel)->SetTouchdownPoints(points, 4);
  ASSERT_EQ(vessel.touchdown.size(), 4u);
  EXPECT_EQ(vessel.touchdown[3].pos.y, -7.0);
  EXPECT_EQ(vessel.touchdown_sets, 1);
}

TEST_F(HostOperationsTest, LogAndDates) {
  oapiWriteLogV("point%i : %.3f %s", 2, 595.0969, "x");
  oapiWriteLogV("%s", std::string(1000, 'a').c_str());
  oapiWriteLogV("%s", std::string(511, 'b').c_str());
  oapiWriteLogV("%s", std::string(512, 'c').c_str());
  oapiWriteLogV("%s", "");
  ASSERT_EQ(Log().size(), 5u);
  EXPECT_EQ(Log()[0], "point2 : 595.097 x");
  EXPECT_EQ(Log()[1], std::string(1000, 'a')) << "long lines are kept whole";
  EXPECT_EQ(Log()[2], std::string(511, 'b'));
  EXPECT_EQ(Log()[3], std::string(512, 'c'));
  EXPECT_EQ(Log()[4], "");

  char date[] = "Aug 28 2016";
  char lower[] = "aug 28 2016";
  char other[] = "Jan 19 2019";
  char bad[] = "Foo 1 2000";
  char empty[] = "";
  EXPECT_EQ(Date2Int(date), 160828);
  EXPECT_EQ(Date2Int(lower), 160828);
  EXPECT_EQ(Date2Int(other), 190119);
  EXPECT_EQ(Date2Int(bad), 0);
  EXPECT_EQ(Date2Int(empty), 0);
}

TEST_F(HostOperationsTest, ReadsFilesOfManyBlocksWhole) {
  // Items beyond the first blocks of a long file are found, and a line
  // split across two blocks stays one line.
  std::string text;
  for (int i = 0; text.size() < 16300; ++i) {
    text += "; filler line " + std::to_string(i) + "\n";
  }
  text += ";" + std::string(16379 - text.size(), ' ') + "\n";
  text += "N = 7\n";  // from byte 16380, across the first 16 KiB
  for (int i = 0; i < 2000; ++i)
    text += "POINT_" + std::to_string(i) + " = 1\n";
  text += "LAST = 9";
  folder.Write("Config/Vantrel/Long.cfg", text);
  FILEHANDLE file = Open("Vantrel\\Long.cfg");
  ASSERT_NE(file, nullptr);
  int n = 0;
  char count[] = "N";
  EXPECT_TRUE(oapiReadItem_int(file, count, n));
  EXPECT_EQ(n, 7);
  char last[] = "LAST";
  EXPECT_TRUE(oapiReadItem_int(file, last, n));
  EXPECT_EQ(n, 9);
  oapiCloseFile(file, FILE_IN_ZEROONFAIL);
}

// Between simulations there are no vessels and no open files: a module that
// asks for them then is refused, not answered from a simulation that ended.
TEST(HostOutsideASimulationTest, VesselAndFileCallsAreRefused) {
  MemoryFolder folder;
  folder.WriteDefinition("A.cfg", "N = 3\n");
  standin::PluginHost host(folder.path(), folder.TakeFileSystem());
  OBJHANDLE kept = nullptr;
  {
    standin::Session session(host);
    kept = &session.vessels().AddVessel("A", "A", 100.0);
    EXPECT_EQ(oapiGetVesselCount(), 1u);
  }
  EXPECT_EQ(oapiGetVesselCount(), 0u);
  EXPECT_EQ(oapiGetVesselByIndex(0), nullptr);
  EXPECT_EQ(oapiGetVesselInterface(kept), nullptr);
  char path[] = "Vantrel\\A.cfg";
  EXPECT_EQ(oapiOpenFile(path, FILE_IN_ZEROONFAIL, CONFIG), nullptr);
  ASSERT_EQ(host.faults().size(), 4u);
  EXPECT_EQ(host.faults()[0], "oapiGetVesselCount outside a simulation");

  // In the next simulation, what a module kept from the one before names
  // nothing, even when a new vessel and file look just like the old ones.
  standin::Session next(host);
  FILEHANDLE closed = oapiOpenFile(path, FILE_IN_ZEROONFAIL, CONFIG);
  ASSERT_NE(closed, nullptr);
  oapiCloseFile(closed, FILE_IN_ZEROONFAIL);
  const standin::SimObject& again = next.vessels().AddVessel("A", "A", 100.0);
  FILEHANDLE open = oapiOpenFile(path, FILE_IN_ZEROONFAIL, CONFIG);
  EXPECT_NE(static_cast<const void*>(&again), kept);
  EXPECT_NE(open, closed);
  EXPECT_EQ(oapiGetVesselInterface(kept), nullptr);
  int n = 0;
  char count[] = "N";
  EXPECT_FALSE(oapiReadItem_int(closed, count, n));
  EXPECT_TRUE(oapiReadItem_int(open, count, n));
  oapiCloseFile(open, FILE_IN_ZEROONFAIL);
  EXPECT_EQ(next.faults(),
            (std::vector<std::string>{
                "oapiGetVesselInterface on a handle that names no object",
                "oapiReadItem_int on a file handle that is not open"}));
}

// Hosts may overlap, as a tool's host inside a test's: the one made last is
// current, and the one before is current again once it ends.
TEST(HostOutsideASimulationTest, TheHostMadeLastIsCurrent) {
  MemoryFolder folder;
  standin::PluginHost outer(folder.path(), folder.TakeFileSystem());
  {
    MemoryFolder other;
    standin::PluginHost inner(other.path(), other.TakeFileSystem());
    EXPECT_EQ(&standin::PluginHost::Current(), &inner);
  }
  EXPECT_EQ(&standin::PluginHost::Current(), &outer);
}

}  // namespace
