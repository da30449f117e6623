// Bad vessel names, classes and masses, as the host may hand them to the
// module. Every case runs beside a vessel with a sound file that must come
// through untouched, and the host must refuse no call and get every file
// handle back (see bad_input_module.h).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "bad_input_module.h"

namespace {

using bad_input::BadVessel;

constexpr char kThreePoints[] =
    "N = 3\n"
    "POINT_1 = 0 -1 2 1000 100 0.5 0.4\n"
    "POINT_2 = -1 -1 -1 1000 100 0.5 0.4\n"
    "POINT_3 = 1 -1 -1 1000 100 0.5 0.4\n";

TEST(BadVesselTest, Names) {
  struct Case {
    const char* what;
    std::string name;
    const char* file;  // below the host folder, or null for none
    std::vector<std::string> log;
  };
  const std::string long255(255, 'n');
  const std::vector<std::string> miss255 = {
      "Vantrel: No TD Pts Override for: " + long255,
      "Vantrel: No TD Pts Override for: BadClass"};
  auto found = [](const std::string& name) {
    return std::vector<std::string>{
        "Vantrel: Vessel Definition found for name " + name,
        "point1 : 0.000 -1.000 2.000 1000.000 100.000 0.500 0.400",
        "point2 : -1.000 -1.000 -1.000 1000.000 100.000 0.500 0.400",
        "point3 : 1.000 -1.000 -1.000 1000.000 100.000 0.500 0.400"};
  };
  auto miss = [](const std::string& name) {
    return std::vector<std::string>{
        "Vantrel: No TD Pts Override for: " + name,
        "Vantrel: No TD Pts Override for: BadClass"};
  };
  const Case cases[] = {
    // The host fills a 256-character buffer: longer names are cut to 255
    // characters, and no file name that long can exist.
    {"255 characters", long255, nullptr, miss255},
    {"256 characters", long255 + "x", nullptr, miss255},
    {"1000 characters", long255 + std::string(745, 'x'), nullptr, miss255},
    {"a slash", "Tug/Mk2", "Config/Vantrel/Tug___Mk2.cfg", found("Tug/Mk2")},
    {"a backslash", "Fleet\\Lander", "Config/Vantrel/Fleet/Lander.cfg",
     found("Fleet\\Lander")},
    // A key that would climb out of the Vantrel folder, or name a device,
    // is never opened, although the file it names exists: it is reported
    // as a missing file, and the class is tried.
    {"..", "..\\Outside", "Config/Outside.cfg", miss("..\\Outside")},
    {"a leading backslash", "\\Vantrel\\Lander",
     "Config/Vantrel/Vantrel/Lander.cfg", miss("\\Vantrel\\Lander")},
#if !defined(_WIN32)  // Windows cannot write these files: they are devices.
    {"a device", "CON", "Config/Vantrel/CON.cfg", miss("CON")},
    {"a device in any case, with an extension", "Nul.txt",
     "Config/Vantrel/Nul.txt.cfg", miss("Nul.txt")},
    {"a serial port below a folder", "Fleet\\com1",
     "Config/Vantrel/Fleet/com1.cfg", miss("Fleet\\com1")},
#endif
    {"a name that only starts like a device", "CONSOLE",
     "Config/Vantrel/CONSOLE.cfg", found("CONSOLE")},
    {"a climb above the host folder",
     "..\\..\\..\\Bad",
     "Bad.cfg",
     {"Vantrel: No TD Pts Override for: ..\\..\\..\\Bad",
      "Vantrel: No TD Pts Override for: BadClass"}},
    {"printf directives", "%s%n%s%n", "Config/Vantrel/%s%n%s%n.cfg",
     found("%s%n%s%n")},
    {"spaces", "Space Ship 1", "Config/Vantrel/Space Ship 1.cfg",
     found("Space Ship 1")},
    {"bytes beyond ASCII", "M\xc3\xbcller-\xce\xa9\xff",
     "Config/Vantrel/M\xc3\xbcller-\xce\xa9\xff.cfg",
     found("M\xc3\xbcller-\xce\xa9\xff")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    BadVessel vessel;
    vessel.name = c.name;
    const auto outcome =
        bad_input::Update(vessel, [&c](const TestFolder& folder) {
          if (c.file != nullptr) folder.Write(c.file, kThreePoints);
        });
    EXPECT_EQ(outcome.log, c.log);
  }
}

TEST(BadVesselTest, NullClassName) {
  BadVessel vessel;
  vessel.class_name.reset();
  const auto outcome = bad_input::Update(vessel, [](const TestFolder&) {});
  EXPECT_EQ(outcome.log,
            std::vector<std::string>{"Vantrel: No TD Pts Override for: Bad"});
  EXPECT_EQ(outcome.sets, 0);
}

// Springs left at zero come from the mass the host reports, whatever it is;
// the module hands the result on unchanged.
TEST(BadVesselTest, Masses) {
  struct Case {
    const char* what;
    double mass;
    const char* point1;
  };
  const Case cases[] = {
      {"nan", std::numeric_limits<double>::quiet_NaN(),
       "point1 : 0.000 -1.000 2.000 nan nan 0.500 0.400"},
      {"inf", std::numeric_limits<double>::infinity(),
       "point1 : 0.000 -1.000 2.000 inf inf 0.500 0.400"},
      {"negative", -100.0,
       "point1 : 0.000 -1.000 2.000 -981.000 595.097 0.500 0.400"},
      {"zero", 0.0, "point1 : 0.000 -1.000 2.000 0.000 0.000 0.500 0.400"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    BadVessel vessel;
    vessel.mass = c.mass;
    const auto outcome =
        bad_input::Update(vessel, [](const TestFolder& folder) {
          folder.WriteDefinition("Bad.cfg",
                                 "N = 3\nPOINT_1 = 0 -1 2 0 0 0.5 0.4\n");
        });
    ASSERT_EQ(outcome.log.size(), 4u);
    EXPECT_EQ(outcome.log[1], c.point1);
    EXPECT_EQ(outcome.sets, 1);
  }
}

}  // namespace
