#include "tools/init_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "command_output.h"
#include "files/disk_file_system.h"
#include "test_folder.h"
#include "tools/drop_command.h"
#include "tools/exit_codes.h"

namespace tools {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;

const fs::path kInitData = VANTREL_TEST_DATA "/init";

std::string ReadAll(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

// x, y and z of POINT_1 ... POINT_N of a definition file's text.
std::vector<std::vector<double>> Points(const std::string& text) {
  std::vector<std::vector<double>> points;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.rfind("POINT_", 0) != 0) continue;
    std::istringstream numbers(line.substr(line.find('=') + 1));
    std::vector<double> xyz(3);
    numbers >> xyz[0] >> xyz[1] >> xyz[2];
    points.push_back(xyz);
  }
  return points;
}

// Whether the CoG, the origin, seen along the normal of the triangle of
// points 1-3, lies inside it: on the same side of each of its edges.
bool HoldsTheCog(const std::vector<std::vector<double>>& points) {
  using V = std::vector<double>;
  const auto minus = [](const V& a, const V& b) {
    return V{a[0] - b[0], a[1] - b[1], a[2] - b[2]};
  };
  const auto cross = [](const V& a, const V& b) {
    return V{a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2],
             a[0] * b[1] - a[1] * b[0]};
  };
  const auto dot = [](const V& a, const V& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
  };
  const V& p0 = points[0];
  const V& p1 = points[1];
  const V& p2 = points[2];
  const V mid{(p1[0] + p2[0]) / 2, (p1[1] + p2[1]) / 2, (p1[2] + p2[2]) / 2};
  const V normal = cross(minus(p0, mid), minus(p2, p1));
  int inside = 0;
  for (int i = 0; i < 3; ++i) {
    const V& a = points[i];
    const V& b = points[(i + 1) % 3];
    const double side = dot(cross(minus(b, a), minus(V{0, 0, 0}, a)), normal);
    inside += side > 0 ? 1 : side < 0 ? -1 : 0;
  }
  return inside == 3 || inside == -3;
}

class InitCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::copy(kInitData, folder_.path(), fs::copy_options::recursive);
    folder_.CopyBodyFiles();
  }

  CommandOutput Init(InitArguments arguments) {
    arguments.root = folder_.path().string();
    files::DiskFileSystem files;
    std::ostringstream out, err;
    const int code = InitCommand(arguments, files, out, err);
    return {code, out.str(), err.str()};
  }

  fs::path Definition(const std::string& key) const {
    return folder_.path() / "Config" / "Vantrel" / (key + ".cfg");
  }

  // What is below Config/Vantrel, temporary files included.
  std::vector<std::string> Written() const {
    std::vector<std::string> names;
    const fs::path vantrel = folder_.path() / "Config" / "Vantrel";
    if (!fs::exists(vantrel)) return names;
    for (const auto& entry : fs::recursive_directory_iterator(vantrel)) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }

  TestFolder folder_;
};

TEST_F(InitCommandTest, MeshesGiveSetsThatLand) {
  struct Case {
    const char* trace;
    InitArguments arguments;
    std::string key;
    std::string class_name;
  };
  InitArguments lander{}, six{}, cylinder{}, delta{};
  std::string lander_out;
  lander.class_name = "Lander4";
  six.class_name = "Lander6";
  cylinder.class_name = "Cylinder";
  delta.name = "DeltaWing";
  delta.mesh = (folder_.path() / "DeltaWing.msh").string();
  for (const Case& c :
       {Case{"a four-legged lander, mesh from MeshName", lander, "Lander4",
             "Lander4"},
        Case{"a six-legged lander, its CoG ahead of the legs' centre", six,
             "Lander6", "Lander6"},
        Case{"a cylinder lying on its side", cylinder, "Cylinder", "Cylinder"},
        Case{"a delta wing from --mesh, with no class file", delta, "DeltaWing",
             "DeltaWing"}}) {
    SCOPED_TRACE(c.trace);
    const CommandOutput init = Init(c.arguments);
    ASSERT_EQ(init.code, kExitOk) << init.out << init.err;
    EXPECT_THAT(init.out, HasSubstr("check: no findings"));
    EXPECT_THAT(init.out, HasSubstr("drop:  lands (LANDED at"));
    EXPECT_THAT(init.out,
                HasSubstr("\nslope: on slopes of the body Earth, released "
                          "alike, nose downhill: comes to rest on "
                          "slopes up to "));
    EXPECT_THAT(init.out, HasSubstr("slow the creep as their square"));
    EXPECT_THAT(init.out, HasSubstr("vantrel show --root "));
    if (c.key == "Lander4") lander_out = init.out;
    const std::string text = ReadAll(Definition(c.key));
    // Every line ends in CR LF, and every point says where it came from.
    std::size_t lines = 0;
    for (std::size_t at = text.find('\n'); at != std::string::npos;
         at = text.find('\n', at + 1)) {
      ++lines;
      EXPECT_EQ(text[at - 1], '\r') << "line " << lines;
    }
    const auto points = Points(text);
    ASSERT_GE(points.size(), 4u);
    EXPECT_LE(points.size(), 32u);
    EXPECT_THAT(text, HasSubstr("N = " + std::to_string(points.size()) +
                                "\r\nPOINT_1 = "));
    EXPECT_THAT(text, HasSubstr("the plug-in completes them"));
    for (std::size_t i = 1; i <= points.size(); ++i) {
      const std::string key = "POINT_" + std::to_string(i) + " = ";
      const std::size_t line = text.find(key);
      ASSERT_NE(line, std::string::npos);
      const std::string point = text.substr(line, text.find('\r', line) - line);
      EXPECT_THAT(point, HasSubstr(".msh:")) << point;
      EXPECT_THAT(point, HasSubstr(i <= 3 ? " 0 0 0 0  ; " : " 0 0 0  ; "));
    }
    // The host sets a landed vessel down on points 1-3: they hold the CoG.
    EXPECT_TRUE(HoldsTheCog(points));
    // The groups that are not rendered lie below everything else.
    for (const auto& p : points) EXPECT_GE(p[1], -2.0) << p[0] << " " << p[2];
    // The drop test of the file on the class, as a user runs it, agrees.
    DropArguments drop;
    drop.root = folder_.path().string();
    drop.definition = Definition(c.key).string();
    drop.class_name = c.class_name;
    drop.json = true;
    std::ostringstream out, err;
    files::DiskFileSystem disk;
    ASSERT_EQ(DropCommand(drop, disk, out, err), kExitOk) << err.str();
    EXPECT_THAT(out.str(), HasSubstr("\"verdict\": \"lands\""));
  }
  {
    SCOPED_TRACE(
        "init's slope line says what drop --slope 5 says of the new file");
    DropArguments drop;
    drop.root = folder_.path().string();
    drop.definition = Definition("Lander4").string();
    drop.class_name = "Lander4";
    drop.slope = 5;
    drop.json = true;
    std::ostringstream out, err;
    files::DiskFileSystem disk;
    ASSERT_EQ(DropCommand(drop, disk, out, err), kExitOk) << err.str();
    const std::string json = out.str();
    const std::size_t key = json.find("\"rests_up_to_deg\": ");
    ASSERT_NE(key, std::string::npos) << json;
    const double rests = std::stod(json.substr(key + 19));
    char expected[64];
    std::snprintf(expected, sizeof expected, "slopes up to %.2f deg;", rests);
    EXPECT_THAT(lander_out, HasSubstr(expected));
  }
  {
    SCOPED_TRACE("the lander's primary points are three of its four feet");
    const auto points = Points(ReadAll(Definition("Lander4")));
    std::set<std::pair<int, int>> feet;
    for (std::size_t i = 0; i < 3; ++i) {
      const double x = points[i][0], y = points[i][1], z = points[i][2];
      EXPECT_DOUBLE_EQ(y, -2.0);
      EXPECT_LE(std::fabs(std::fabs(x) - 2.0), 0.15 + 1e-9);
      EXPECT_LE(std::fabs(std::fabs(z) - 2.0), 0.15 + 1e-9);
      feet.insert({x > 0 ? 1 : -1, z > 0 ? 1 : -1});
    }
    EXPECT_EQ(feet.size(), 3u);
    // The fourth foot is among the hull points.
    bool fourth = false;
    for (std::size_t i = 3; i < points.size(); ++i) {
      const std::pair<int, int> foot{points[i][0] > 0 ? 1 : -1,
                                     points[i][2] > 0 ? 1 : -1};
      fourth = fourth || (points[i][1] == -2.0 && feet.count(foot) == 0);
    }
    EXPECT_TRUE(fourth);
  }
  {
    SCOPED_TRACE("a second init never writes over the file, in any case");
    const std::string before = ReadAll(Definition("Lander4"));
    InitArguments again = lander;
    again.class_name = "LANDER4";
    again.mesh = (folder_.path() / "DeltaWing.msh").string();
    const CommandOutput refused = Init(again);
    EXPECT_EQ(refused.code, kExitUsage);
    EXPECT_THAT(refused.err, HasSubstr("Lander4.cfg: already exists"));
    EXPECT_EQ(ReadAll(Definition("Lander4")), before);
  }
  {
    SCOPED_TRACE("a class file's TouchdownPoints are the primary points");
    folder_.Write("Config/Vessels/Tug.cfg",
                  "MeshName = Lander4\r\n"
                  "TouchdownPoints = 0 -2 3  -2 -2 -2  2 -2 -2\r\n");
    InitArguments tug;
    tug.class_name = "Tug";
    ASSERT_EQ(Init(tug).code, kExitOk);
    const std::string text = ReadAll(Definition("Tug"));
    EXPECT_THAT(text,
                HasSubstr("POINT_1 = 0 -2 3 0 0 0 0  ; primary: point 1 "
                          "of TouchdownPoints, Config\\Vessels\\Tug.cfg:2"));
    EXPECT_THAT(text,
                HasSubstr("POINT_3 = 2 -2 -2 0 0 0 0  ; primary: point 3"));
    EXPECT_THAT(text, HasSubstr("POINT_4 = "));
  }
  {
    SCOPED_TRACE("written, but it does not land: exit 1, and why");
    folder_.Write("Config/Vessels/Heavy.cfg",
                  "MeshName = Lander4\r\n"
                  "TouchdownPoints = 0 -2 3  -2 -2 -2  2 -2 -2\r\n");
    InitArguments heavy;
    heavy.class_name = "Heavy";
    // Springs completed for 9.81 m/s^2 give way under 200.
    heavy.gravity = 200.0;
    const CommandOutput init = Init(heavy);
    EXPECT_EQ(init.code, kExitFindings) << init.out;
    EXPECT_TRUE(fs::exists(Definition("Heavy")));
    EXPECT_THAT(init.out, HasSubstr("g = 200.0000 m/s^2 (--gravity)"));
    // The show it suggests judges the vessel under the same gravity.
    EXPECT_THAT(init.out, HasSubstr("--name Heavy --gravity 200\n"));
    EXPECT_THAT(init.err,
                HasSubstr("Heavy.cfg needs work: the drop test says "));
    EXPECT_THAT(init.err, ::testing::Not(HasSubstr("says lands")));
  }
}

TEST_F(InitCommandTest, BadInputsWriteNothing) {
  const auto class_of = [&](const std::string& name, const std::string& text) {
    folder_.Write("Config/Vessels/" + name + ".cfg", text);
    InitArguments arguments;
    arguments.class_name = name;
    return arguments;
  };
  int meshes = 0;
  const auto mesh_of = [&](const std::string& text) {
    InitArguments arguments;
    arguments.class_name = "Bad";
    arguments.mesh =
        folder_.Write("Bad" + std::to_string(++meshes) + ".msh", text).string();
    return arguments;
  };
  struct Case {
    const char* trace;
    InitArguments arguments;
    int code;
    std::string message;
  };
  InitArguments nameless{};
  InitArguments device{};
  device.name = "Fleet\\CON";
  const std::vector<Case> cases{
      {"a mesh with a short vertex line",
       mesh_of("MSHX1\nGROUPS 1\nLABEL Hull\nGEOM 3 1\n0 0 0\n1 0 ; x y\n"
               "0 1 0\n0 1 2\n"),
       kExitInput, "Bad1.msh:6: vertex 1 of group 1 of 1 is not x y z"},
      {"a mesh whose GEOM gives too few triangles",
       mesh_of("MSHX1\r\nGROUPS 2\r\nGEOM 3 0\r\n0 0 0\r\n1 0 0\r\n0 0 1\r\n"
               "0 1 2\r\nGEOM 3 1\r\n"),
       kExitInput,
       "Bad2.msh:7: expected the GEOM line of group 2 of 2, found '0 1 2'"},
      {"a mesh that ends early",
       mesh_of("MSHX1\nGROUPS 1\nGEOM 4 2\n0 0 0\n1 0 0\n"), kExitInput,
       "Bad3.msh:5: the file ends after 2 of the 4 vertices of group 1 of 1"},
      {"a triangle that names no vertex",
       mesh_of("MSHX1\nGROUPS 1\nGEOM 3 1\n0 0 0\n1 0 0\n0 0 1\n0 1 3\n"),
       kExitInput, "Bad4.msh:7: triangle 0 of group 1 of 1 is not three"},
      {"not a mesh", mesh_of("N = 3\n"), kExitInput,
       "Bad5.msh:1: not a mesh: the first line is 'N = 3'"},
      {"only groups that are not rendered",
       mesh_of("MSHX1\nGROUPS 1\nFLAG 2\nGEOM 3 1\n0 0 0\n1 0 0\n0 0 1\n"
               "0 1 2\n"),
       kExitInput, "Bad6.msh: no vertex in a rendered group"},
      {"a MeshName with no mesh",
       class_of("Ghost", "Mass = 10\nMeshName = Nowhere\n"), kExitInput,
       "Config\\Vessels\\Ghost.cfg:2: the class's MeshName is Nowhere, but "},
      {"a class with neither points nor a mesh",
       class_of("Bare", "Mass = 10\n"), kExitInput,
       "Config\\Vessels\\Bare.cfg: no TouchdownPoints and no MeshName"},
      {"no class and no name", nameless, kExitUsage, "name the class"},
      {"a name the plug-in never opens", device, kExitUsage,
       "never opens a definition for 'Fleet\\CON'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.trace);
    const CommandOutput init = Init(c.arguments);
    EXPECT_EQ(init.code, c.code);
    EXPECT_THAT(init.err, HasSubstr(c.message));
    EXPECT_EQ(init.out, "");
    EXPECT_EQ(Written(), std::vector<std::string>{});
  }
  {
    SCOPED_TRACE("a class without a class file, and no mesh");
    InitArguments unknown;
    unknown.class_name = "Unknown";
    const CommandOutput init = Init(unknown);
    EXPECT_EQ(init.code, kExitInput);
    EXPECT_THAT(init.err, HasSubstr("class Unknown has no class file"));
    EXPECT_THAT(init.err, HasSubstr("--mesh FILE"));
    EXPECT_EQ(Written(), std::vector<std::string>{});
  }
  {
    SCOPED_TRACE("a mesh named as a class file's MeshName names it");
    folder_.Write("Meshes/Lander.msh", "MSHX1\n");
    InitArguments bare;
    bare.class_name = "Lander";
    bare.mesh = "Lander";
    const CommandOutput init = Init(bare);
    EXPECT_EQ(init.code, kExitInput);
    EXPECT_THAT(init.err, HasSubstr("Lander: cannot read the mesh: "));
    EXPECT_THAT(init.err, HasSubstr("; the host folder's mesh is --mesh "));
    EXPECT_THAT(init.err, HasSubstr("Lander.msh\n"));
    EXPECT_EQ(Written(), std::vector<std::string>{});
  }
  {
    SCOPED_TRACE("a file there already, spelt in another case");
    folder_.WriteDefinition("cylinder.cfg", "N = 3\n");
    InitArguments cylinder;
    cylinder.class_name = "Cylinder";
    const CommandOutput init = Init(cylinder);
    EXPECT_EQ(init.code, kExitUsage);
    EXPECT_THAT(init.err, HasSubstr("cylinder.cfg: already exists"));
    EXPECT_EQ(Written(), std::vector<std::string>{"cylinder.cfg"});
  }
}

}  // namespace
}  // namespace tools
