#include "formats/scenario.h"

#include <cmath>
#include <cstdlib>
#include <map>
#include <sstream>

#include "formats/item_file.h"
#include "formats/vessel_mass.h"

namespace formats {
namespace {

std::string_view Trim(std::string_view text) {
  const char* blanks = " \t\r\v\f";
  const std::size_t first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(blanks);
  return text.substr(first, last - first + 1);
}

bool HasBlank(std::string_view text) {
  return text.find_first_of(" \t\r\v\f") != std::string_view::npos;
}

// A whole token as a step number 1 ... 1e9, or nothing.
std::optional<int> ParseStep(const std::string& token) {
  if (token.empty() || token.size() > 9) return std::nullopt;
  int value = 0;
  for (char c : token) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value < 1) return std::nullopt;
  return value;
}

class ScenarioParser {
 public:
  Scenario Parse(std::string_view text) {
    int number = 0;
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t end = text.find('\n', start);
      if (end == std::string_view::npos) end = text.size();
      ++number;
      Line(number, Trim(text.substr(start, end - start)));
      start = end + 1;
    }
    Finish();
    return std::move(scenario_);
  }

 private:
  enum class State { kOutside, kShips, kVessel };

  void Error(int line, std::string message) {
    scenario_.errors.push_back(Problem::Error("", line, std::move(message)));
  }

  void Line(int number, std::string_view line) {
    switch (state_) {
      case State::kOutside:
        if (line == "BEGIN_SHIPS") {
          state_ = State::kShips;
          ships_line_ = number;
          seen_ships_ = true;
        }
        return;
      case State::kShips:
        ShipsLine(number, line);
        return;
      case State::kVessel:
        VesselLine(number, line);
        return;
    }
  }

  void ShipsLine(int number, std::string_view line) {
    if (line.empty()) return;
    if (line == "END_SHIPS") {
      state_ = State::kOutside;
      return;
    }
    if (line == "END") {
      Error(number, "END without a vessel line before it");
      return;
    }
    const std::size_t colon = line.find(':');
    const std::string_view name = line.substr(0, colon);
    const std::string_view class_name =
        colon == std::string_view::npos ? name : line.substr(colon + 1);
    if (name.empty() || HasBlank(line)) {
      Error(number, "malformed vessel line '" + std::string(line) +
                        "': expected Name:Class, without spaces");
      vessel_ = nullptr;
    } else {
      scenario_.vessels.emplace_back();
      vessel_ = &scenario_.vessels.back();
      vessel_->name = std::string(name);
      vessel_->class_name = std::string(class_name.empty() ? name : class_name);
      vessel_->line = number;
      const auto earlier = first_line_of_name_.emplace(vessel_->name, number);
      if (!earlier.second) {
        Error(number, "vessel name '" + vessel_->name +
                          "' is already used at line " +
                          std::to_string(earlier.first->second));
      }
    }
    vessel_line_ = number;
    state_ = State::kVessel;
  }

  void VesselLine(int number, std::string_view line) {
    if (line == "END") {
      state_ = State::kShips;
      return;
    }
    if (line == "END_SHIPS") {
      Error(vessel_line_, "vessel block has no END before END_SHIPS at line " +
                              std::to_string(number));
      state_ = State::kOutside;
      return;
    }
    std::istringstream words{std::string(line)};
    std::string key;
    std::string value;
    std::string extra;
    words >> key;
    if (key == "PRPLEVEL" || key == "FUEL") {
      FillLevels(number, key, words);
      return;
    }
    if (key == "STATUS") {
      Status(number, words);
      return;
    }
    words >> value >> extra;
    if (key != "MASS" && key != "SPAWN_STEP") return;
    if (value.empty() || !extra.empty()) {
      Error(number, key + " takes exactly one value");
      return;
    }
    if (key == "MASS") {
      const auto mass = ParseVesselMass(value);
      if (!mass) {
        Error(number, "MASS " + NotAMass(value));
      } else if (vessel_ != nullptr) {
        vessel_->mass = mass;
      }
    } else {
      const auto step = ParseStep(value);
      if (!step) {
        Error(number,
              "SPAWN_STEP '" + value + "' is not a step number (1, 2, 3 ...)");
      } else if (vessel_ != nullptr) {
        vessel_->spawn_step = *step;
      }
    }
  }

  // "PRPLEVEL 0:0.5 1:1" or "FUEL 0.5", as the host reads them: a level
  // that is not a number is a warning, and the tank stays full.
  void FillLevels(int number, const std::string& key, std::istream& words) {
    if (vessel_ == nullptr) return;
    std::string word;
    while (words >> word) {
      char* end = nullptr;
      if (key == "FUEL") {
        const double level = std::strtod(word.c_str(), &end);
        if (*end == '\0' && std::isfinite(level)) {
          vessel_->fuel_level = level;
        } else {
          Warn(number, "FUEL '" + word + "' is not a fill level");
        }
        return;
      }
      const long tank = std::strtol(word.c_str(), &end, 10);
      const bool colon = end != word.c_str() && *end == ':' && tank >= 0;
      const char* level_text = colon ? end + 1 : end;
      const double level = std::strtod(level_text, &end);
      if (!colon || end == level_text || *end != '\0' ||
          !std::isfinite(level)) {
        Warn(number, "PRPLEVEL '" + word + "' is not <tank>:<level>");
        continue;
      }
      vessel_->propellant_levels.emplace_back(static_cast<int>(tank), level);
    }
  }

  // "STATUS Landed Moon" or "STATUS Orbiting Earth"; other states say
  // nothing about a body under the vessel.
  void Status(int number, std::istream& words) {
    if (vessel_ == nullptr) return;
    std::string state;
    std::string body;
    words >> state >> body;
    const std::string folded = FoldCase(state);
    if (folded != "landed" && folded != "orbiting") return;
    if (body.empty()) {
      Warn(number, "STATUS " + state + " names no body");
      return;
    }
    vessel_->state =
        folded == "landed" ? VesselState::kLanded : VesselState::kOrbiting;
    vessel_->body = body;
  }

  void Warn(int number, std::string message) {
    scenario_.warnings.push_back(
        Problem::Warning("", number, std::move(message)));
  }

  void Finish() {
    if (state_ == State::kVessel) {
      Error(vessel_line_, "vessel block has no END");
    } else if (state_ == State::kShips) {
      Error(ships_line_, "BEGIN_SHIPS has no END_SHIPS");
    } else if (!seen_ships_) {
      scenario_.warnings.push_back(Problem::Warning(
          "", 0, "no BEGIN_SHIPS section: the scenario has no vessels"));
    }
  }

  Scenario scenario_;
  State state_ = State::kOutside;
  ScenarioVessel* vessel_ = nullptr;
  int vessel_line_ = 0;
  int ships_line_ = 0;
  bool seen_ships_ = false;
  std::map<std::string, int> first_line_of_name_;
};

}  // namespace

Scenario ParseScenario(std::string_view text) {
  return ScenarioParser().Parse(text);
}

}  // namespace formats
