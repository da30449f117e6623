#include "vessel_mass.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace standin {

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

}  // namespace standin
