#include "formats/vessel_mass.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace formats {

bool IsVesselMass(double kg) { return std::isfinite(kg) && kg > 0.0; }

std::string NotAMass(std::string_view text) {
  return "'" + std::string(text) + "' is not a positive, finite number of kg";
}

std::optional<double> ParseVesselMass(std::string_view text) {
  const std::string token(text);
  if (token.empty()) return std::nullopt;
  char* end = nullptr;
  errno = 0;
  const double value = std::strtod(token.c_str(), &end);
  if (*end != '\0' || errno == ERANGE || !IsVesselMass(value)) {
    return std::nullopt;
  }
  return value;
}

std::optional<ClassMass> ParseClassMass(std::string_view text) {
  const std::size_t equals = text.rfind('=');
  if (equals == std::string_view::npos || equals == 0) return std::nullopt;
  const auto mass = ParseVesselMass(text.substr(equals + 1));
  if (!mass) return std::nullopt;
  return ClassMass{std::string(text.substr(0, equals)), *mass};
}

std::string NotAClassMass(std::string_view text) {
  return "'" + std::string(text) +
         "' is not CLASS=KG with a positive, finite number of kg";
}

}  // namespace formats
