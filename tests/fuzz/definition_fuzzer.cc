// Fuzzes a definition file, and the name, class and mass of the vessel that
// looks it up, through the stand-in host's item reader and the module's
// vessel update. The input is four lines followed by the file's bytes:
//
//   vessel name
//   class name (an empty line: the vessel has no class)
//   mass, as strtod reads it
//   where the file lies: "name", "class", or anything else for nowhere
//   definition file bytes ...
//
// The host copies item values whole, as the real host does. After the
// update it checks what must hold whatever the input: the host refused no
// call, no file handle is left open, every log line is one the module writes
// and agrees with the points the vessel got, and a second vessel with a
// sound definition of its own still gets exactly its points.
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "files/memory_file_system.h"
#include "formats/item_file.h"
#include "formats/log_format.h"
#include "module/vantrel.h"
#include "standin/host.h"
#include "standin/simulation_session.h"

namespace {

namespace fs = std::filesystem;

struct Input {
  std::string name;
  std::optional<std::string> class_name;
  double mass = 0.0;
  std::string place;
  std::string_view definition;
};

std::string_view TakeLine(std::string_view& rest) {
  const std::size_t end = rest.find('\n');
  const std::string_view line = rest.substr(0, end);
  rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
  return line;
}

Input Split(std::string_view rest) {
  Input input;
  input.name = std::string(TakeLine(rest));
  const std::string_view class_name = TakeLine(rest);
  if (!class_name.empty()) input.class_name = std::string(class_name);
  input.mass = std::strtod(std::string(TakeLine(rest)).c_str(), nullptr);
  input.place = std::string(TakeLine(rest));
  input.definition = rest;
  return input;
}

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "definition_fuzzer: %s\n", what.c_str());
  std::abort();
}

// The host folder, in a file system held in memory that each input fills
// afresh.
const fs::path kHostFolder = "/host";

constexpr char kBystander[] = "Bystander";
constexpr char kBystanderDefinition[] =
    "N = 3\n"
    "POINT_1 = 0 -1 2 1000 100 0.5 0.4\n"
    "POINT_2 = -1 -1 -1 1000 100 0.5 0.4\n"
    "POINT_3 = 1 -1 -1 1000 100 0.5 0.4\n";

// The key the module looks up for a host text: cut at the first NUL and, for
// an object name, at the 255 characters its buffer holds.
std::string KeyOf(const std::string& text, std::size_t limit) {
  const std::string key = text.substr(0, text.find('\0'));
  return key.substr(0, limit);
}

// The folders and file name under the host folder that the module's path
// for `key` names, when every component is a plain file name that needs no
// resolving; otherwise nothing.
std::optional<std::vector<std::string>> PlainComponents(
    const std::string& key) {
  std::string relative = "Config\\Vantrel\\";
  for (char c : key)
    relative += c == '/' ? std::string("___") : std::string(1, c);
  relative += ".cfg";
  std::vector<std::string> components;
  std::size_t start = 0;
  while (start <= relative.size()) {
    std::size_t end = relative.find('\\', start);
    if (end == std::string::npos) end = relative.size();
    const std::string component = relative.substr(start, end - start);
    start = end + 1;
    if (component.empty() || component == "." || component == ".." ||
        component.back() == '.' || component.back() == ' ') {
      return std::nullopt;
    }
    for (unsigned char c : component) {
      if (c < 32 || std::strchr("<>:\"|?*", c) != nullptr) return std::nullopt;
    }
    components.push_back(component);
  }
  return components;
}

// Writes the definition where the module looks for `key`, unless the key
// needs path resolving or would replace the bystander's file.
void WriteDefinition(files::MemoryFileSystem& files, const std::string& key,
                     std::string_view text) {
  const auto components = PlainComponents(key);
  if (!components) return;
  if (formats::FoldCase(key) == formats::FoldCase(kBystander)) return;
  fs::path path = kHostFolder;
  for (const std::string& component : *components) path /= component;
  files.WriteFile(path, std::string(text));
}

// Formats as the host's log does; that its conversions equal the C
// library's is tested on its own, and formatting with the C library here
// would take a quarter of each input's time.
std::string HostFormat(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string line;
  formats::AppendLogLine(format, args, line);
  va_end(args);
  return line;
}

std::string PointLine(int index, const TOUCHDOWNVTX& v) {
  return HostFormat("point%i : %.3f %.3f %.3f %.3f %.3f %.3f %.3f", index,
                    v.pos.x, v.pos.y, v.pos.z, v.stiffness, v.damping, v.mu,
                    v.mu_lng);
}

std::vector<TOUCHDOWNVTX> BystanderPoints() {
  const double x[3] = {0, -1, 1};
  const double z[3] = {2, -1, -1};
  std::vector<TOUCHDOWNVTX> points(3);
  for (int i = 0; i < 3; ++i) {
    points[i].pos.x = x[i];
    points[i].pos.y = -1;
    points[i].pos.z = z[i];
    points[i].stiffness = 1000;
    points[i].damping = 100;
    points[i].mu = 0.5;
    points[i].mu_lng = 0.4;
  }
  return points;
}

bool SameBits(const std::vector<TOUCHDOWNVTX>& a,
              const std::vector<TOUCHDOWNVTX>& b) {
  return a.size() == b.size() &&
         (a.empty() ||
          std::memcmp(a.data(), b.data(), a.size() * sizeof a[0]) == 0);
}

// The log of one update, from line `first` on: lookup lines for the name
// key and then perhaps the class key, then, when a definition applied, the
// match line and one line per point the vessel got.
void CheckUpdateLog(const std::vector<std::string>& log, std::size_t first,
                    const standin::SimObject& vessel,
                    const std::string& name_key,
                    const std::optional<std::string>& class_key) {
  std::size_t i = first;
  auto lookup_line = [&](const std::string& key) {
    if (i >= log.size()) return;
    const std::string& line = log[i];
    if (line == "Vantrel: No TD Pts Override for: " + key ||
        line.rfind("Vantrel: Too many TD Pts for: " + key + " (N = ", 0) == 0) {
      ++i;
    }
  };
  lookup_line(name_key);
  bool found = false;
  if (i < log.size() &&
      log[i] == "Vantrel: Vessel Definition found for name " + name_key) {
    found = true;
    ++i;
  } else if (class_key) {
    lookup_line(*class_key);
    if (i < log.size() &&
        log[i] == "Vantrel: Vessel Definition found for class " + *class_key) {
      found = true;
      ++i;
    }
  }
  if (found != (vessel.touchdown_sets == 1) || vessel.touchdown_sets > 1) {
    Fail("the match lines and the calls of SetTouchdownPoints disagree");
  }
  if (found) {
    if (vessel.touchdown.size() < 3) Fail("fewer than 3 points were set");
    for (std::size_t j = 0; j < vessel.touchdown.size(); ++j, ++i) {
      if (i >= log.size() ||
          log[i] != PointLine(static_cast<int>(j + 1), vessel.touchdown[j])) {
        Fail("a point line disagrees with the point the vessel got");
      }
    }
  }
  if (i != log.size()) Fail("unexpected log line: " + log[i]);
}

void CheckSession(const standin::Session& session) {
  if (!session.faults().empty()) Fail("the host refused a call");
  if (session.files().open_count() != 0) Fail("a file handle was left open");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  const Input input =
      Split(std::string_view(reinterpret_cast<const char*>(data), size));
  const std::string name_key = KeyOf(input.name, 255);
  std::optional<std::string> class_key;
  if (input.class_name && KeyOf(*input.class_name, 256).size() < 256) {
    class_key = KeyOf(*input.class_name, 256);
  }

  auto files = std::make_unique<files::MemoryFileSystem>();
  files->WriteFile(
      kHostFolder / "Config" / "Vantrel" / (std::string(kBystander) + ".cfg"),
      kBystanderDefinition);
  if (input.place == "name")
    WriteDefinition(*files, name_key, input.definition);
  if (input.place == "class" && class_key) {
    WriteDefinition(*files, *class_key, input.definition);
  }

  standin::PluginHost host(kHostFolder, std::move(files));
  standin::Session session(host);
  standin::SimObject& vessel =
      session.vessels().AddVessel(input.name, input.class_name, input.mass);
  standin::SimObject& bystander =
      session.vessels().AddVessel(kBystander, std::nullopt, 1000.0);
  Vantrel module(nullptr);
  const std::size_t banner = host.log().line_count();
  module.clbkNewVessel(&vessel);
  CheckSession(session);
  CheckUpdateLog(host.log().lines(), banner, vessel, name_key, class_key);

  const std::vector<TOUCHDOWNVTX> vessel_points = vessel.touchdown;
  module.clbkNewVessel(&bystander);
  CheckSession(session);
  if (!SameBits(vessel.touchdown, vessel_points)) {
    Fail("updating another vessel changed this one's points");
  }
  if (!SameBits(bystander.touchdown, BystanderPoints())) {
    Fail("the bystander did not get its own points");
  }
  return 0;
}
