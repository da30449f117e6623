// Fuzzes the stand-in's scenario reader with arbitrary bytes, and checks
// what must hold whatever the input: every vessel has a name without blanks
// and a class, every line number lies in the file, a vessel name used twice
// is an error, and masses are finite.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "formats/scenario.h"
#include "formats/vessel_mass.h"

namespace {

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "scenario_fuzzer: %s\n", what.c_str());
  std::abort();
}

int CountLines(std::string_view text) {
  int lines = 0;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    ++lines;
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return lines;
}

void CheckProblems(const std::vector<formats::Problem>& problems, int lines) {
  for (const auto& problem : problems) {
    if (problem.line < 0 || problem.line > lines) {
      Fail("a problem names line " + std::to_string(problem.line) + " of " +
           std::to_string(lines));
    }
    if (problem.message.empty()) Fail("a problem without a message");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const formats::Scenario scenario = formats::ParseScenario(text);
  const int lines = CountLines(text);
  CheckProblems(scenario.errors, lines);
  CheckProblems(scenario.warnings, lines);

  std::set<std::string> names;
  bool repeated = false;
  for (const auto& vessel : scenario.vessels) {
    if (vessel.name.empty() || vessel.class_name.empty()) {
      Fail("a vessel without a name or a class");
    }
    if (vessel.name.find_first_of(" \t\r\v\f") != std::string::npos) {
      Fail("a vessel name with a blank: " + vessel.name);
    }
    if (vessel.line < 1 || vessel.line > lines) {
      Fail("a vessel at line " + std::to_string(vessel.line));
    }
    if (vessel.spawn_step < 0) Fail("a negative spawn step");
    if (vessel.mass && !formats::IsVesselMass(*vessel.mass)) {
      Fail("a mass that is not positive and finite");
    }
    repeated |= !names.insert(vessel.name).second;
  }
  if (repeated && scenario.errors.empty()) {
    Fail("a vessel name used twice without an error");
  }
  return 0;
}
