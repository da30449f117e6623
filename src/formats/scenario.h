#ifndef VANTREL_FORMATS_SCENARIO_H_
#define VANTREL_FORMATS_SCENARIO_H_

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "formats/problem.h"

namespace formats {

// Where a scenario starts a vessel, as its STATUS line says.
enum class VesselState {
  kNotGiven,  // no STATUS line, or one of another kind
  kLanded,    // STATUS Landed <Body>
  kOrbiting,  // STATUS Orbiting <Body>
};

// One vessel of a scenario.
struct ScenarioVessel {
  std::string name;
  std::string class_name;      // the name when the scenario gives no class
  std::optional<double> mass;  // MASS <kg>; absent when not given
  int spawn_step = 0;          // SPAWN_STEP <k>; 0 when present from the start
  int line = 0;                // line of the "Name:Class" line
  // PRPLEVEL <tank>:<level> ...: fill levels of tanks 0, 1, ... (fractions)
  std::vector<std::pair<int, double>> propellant_levels;
  std::optional<double> fuel_level;  // FUEL <level>: one level for all tanks
  VesselState state = VesselState::kNotGiven;
  std::string body;  // the body it stands on or orbits, as STATUS names it
};

// The vessels of a scenario file, and what was wrong with it. The scenario
// can be run only when `errors` is empty.
struct Scenario {
  std::vector<ScenarioVessel> vessels;
  // Problems at lines of the text (0 for the whole file), their file left
  // empty for the caller to set.
  std::vector<Problem> errors;
  std::vector<Problem> warnings;
};

// Reads a scenario in the host's format: vessel blocks from a line
// "Name:Class" to a line "END", between "BEGIN_SHIPS" and "END_SHIPS".
// Other sections and unknown parameter lines are ignored; PRPLEVEL and FUEL
// give the tanks' fill levels, STATUS Landed or Orbiting the body. Two
// parameter lines are the stand-in's own: "MASS <kg>" and "SPAWN_STEP <k>".
Scenario ParseScenario(std::string_view text);

}  // namespace formats

#endif  // VANTREL_FORMATS_SCENARIO_H_
