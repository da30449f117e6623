#include "body_text.h"

#include "number_text.h"

namespace tools {

using standin::VesselState;

std::string WhereText(const vessel::VesselBody& body) {
  switch (body.state) {
    case VesselState::kOrbiting:
      return "orbiting " + body.name;
    case VesselState::kNotGiven:
      return body.name + " (no STATUS)";
    case VesselState::kLanded:
      break;
  }
  return body.name;
}

std::string GravityText(const vessel::VesselBody& body) {
  return body.Judged() ? Fixed(body.gravity, 4) : "-";
}

std::string BodyText(const vessel::VesselBody& body) {
  if (body.state == VesselState::kOrbiting) {
    return WhereText(body) + ": not judged on the ground";
  }
  const std::string where = body.state == VesselState::kNotGiven
                                ? body.name + " (no STATUS line)"
                                : body.name;
  if (!body.Judged()) return where + ": no gravity (no body file)";
  return where + ", g = " + GravityText(body) + " m/s^2 (" + body.gravity_from +
         ")";
}

}  // namespace tools
