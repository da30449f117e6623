#ifndef VANTREL_REPORT_BODY_TEXT_H_
#define VANTREL_REPORT_BODY_TEXT_H_

#include <string>

#include "vessel/body_catalog.h"

namespace report {

// The body under a vessel and the gravity it is judged with, in one
// wording for every command: "Moon, g = 1.6231 m/s^2 (Config\Moon.cfg)",
// "Earth (no STATUS line), g = 9.8202 m/s^2 (Config\Earth.cfg)",
// "orbiting Earth: not judged on the ground", "Vulcan: no gravity (no body
// file)".
std::string BodyText(const vessel::VesselBody& body);

// Where a vessel is, as a table cell: "Moon", "Earth (no STATUS)",
// "orbiting Earth".
std::string WhereText(const vessel::VesselBody& body);

// Its gravity as a table cell, in m/s^2 to 4 decimals: "1.6231"; "-" when
// it is not judged on the ground.
std::string GravityText(const vessel::VesselBody& body);

}  // namespace report

#endif  // VANTREL_REPORT_BODY_TEXT_H_
