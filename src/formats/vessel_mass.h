#ifndef VANTREL_FORMATS_VESSEL_MASS_H_
#define VANTREL_FORMATS_VESSEL_MASS_H_

#include <optional>
#include <string>
#include <string_view>

namespace formats {

// The mass of a vessel whose scenario block gives no MASS line and whose
// class file gives no Mass (kg).
constexpr double kDefaultVesselMass = 1000.0;

// A vessel's mass, wherever it is written (a scenario's MASS line, a class
// file's Mass, `vantrel show --mass`), must be a positive, finite number of
// kg: the plug-in works out springs and damping from it, and a mass of 0,
// below 0 or not finite gives springs that hold nothing up.
bool IsVesselMass(double kg);

// What is wrong with `text` as a mass, for messages:
// "'-5' is not a positive, finite number of kg".
std::string NotAMass(std::string_view text);

// `text` as a mass when the whole of it is a real number that IsVesselMass
// accepts; nothing otherwise.
std::optional<double> ParseVesselMass(std::string_view text);

// The empty mass of every vessel of a class, as `vantrel run --mass` takes
// it: "CLASS=KG".
struct ClassMass {
  std::string class_name;
  double kg = 0.0;
};

// `text` as CLASS=KG: the class before the last '=', not empty, and a mass
// that ParseVesselMass accepts after it; nothing otherwise.
std::optional<ClassMass> ParseClassMass(std::string_view text);

// What is wrong with `text` as CLASS=KG, for messages: "'x' is not CLASS=KG
// with a positive, finite number of kg".
std::string NotAClassMass(std::string_view text);

}  // namespace formats

#endif  // VANTREL_FORMATS_VESSEL_MASS_H_
