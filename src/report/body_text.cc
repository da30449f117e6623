#include "report/body_text.h"

#include "formats/number_text.h"

namespace report {

using formats::VesselState;

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
  return body.Judged() ? formats::Fixed(body.gravity, 4) : "-";
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

}  // namespace report
