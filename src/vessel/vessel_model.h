#ifndef VANTREL_VESSEL_VESSEL_MODEL_H_
#define VANTREL_VESSEL_VESSEL_MODEL_H_

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "physics/contact_point.h"
#include "physics/drop_setup.h"
#include "physics/drop_test.h"
#include "vessel/class_file.h"

namespace vessel {

// The host's numbers for a vessel whose class file or module gives none.
constexpr double kDefaultSize = 10.0;  // m
// Our assumption for the moments of inertia per unit mass; the host's own
// default is not documented.
constexpr physics::Vec3 kDefaultInertia{15.5, 22.1, 7.7};
// What the host gives the points of a class file's TouchdownPoints, and
// the values a CollisionHull line leaves out.
constexpr double kClassStiffness = 1e6;
constexpr double kClassDamping = 1e5;
constexpr double kClassMu = 0.5;
constexpr double kClassMuLng = 0.1;

// What the scenario and the user say about one vessel.
struct VesselInputs {
  std::optional<double> mass;        // the vessel's whole mass (kg)
  std::string mass_from;             // where `mass` was given
  std::optional<double> class_mass;  // the class's empty mass (kg)
  std::string class_mass_from;       // where `class_mass` was given
  // Fill levels of tanks 0, 1, ... (PRPLEVEL i:level); FUEL for all tanks.
  // A tank neither names is empty.
  std::vector<std::pair<int, double>> levels;
  std::optional<double> fuel;
};

// The vessel as the host knows it from its files, each number with the
// place it came from ("Config\Vessels\LDEF.cfg:3", "default", ...).
struct VesselModel {
  std::string class_file;  // as the host names it; empty when none
  double mass = 0.0;       // kg: empty mass plus propellant
  std::string mass_from;
  // The vessel with every tank empty, and with every tank full (kg): the
  // masses it has over a flight. Both are `mass` when the whole mass is
  // given.
  double empty_mass = 0.0;
  double full_mass = 0.0;
  double propellant = 0.0;  // kg on board
  double capacity = 0.0;    // kg the tanks hold when full
  std::string propellant_from;
  double size = kDefaultSize;
  std::string size_from = "default";
  physics::Vec3 inertia = kDefaultInertia;
  std::string inertia_from = "assumed";
  physics::ContactPoints own_points;
  std::string own_points_from;
  bool default_points = true;  // the host's default points
  // The class file names a module but gives no usable Mass, and nobody
  // gave the class's mass: the module sets it in code.
  bool module_sets_mass = false;
  std::string module;  // the class file's Module, empty when none
};

// The host's points of a vessel that sets none: (0, -2, 10), (-3, -2, -5)
// and (3, -2, -5), stiffness 1e6, damping 1e5, friction 0.5 and 0.1.
physics::ContactPoints DefaultPoints();

// The model of a vessel of the class that `file` describes. The whole mass
// given wins; else the class's empty mass given, else its Mass, else the
// default, plus the propellant of its tanks at the fill levels given. A
// tank that no level names is empty, as the host leaves every tank of a
// scenario vessel that PRPLEVEL or FUEL does not fill. Its own points are,
// in the host's order, a valid TouchdownPoints, else a hull the host
// accepts, else the host's default points.
VesselModel ModelVessel(const ClassFile& file, const VesselInputs& inputs);

// The vessel as a drop moves it: the model's mass, inertia and size, its
// own points, and a set handed over in the frame of the plug-in's sweep.
physics::DroppedVessel DroppedVesselOf(const VesselModel& model);

// The drop test of `points` on the vessel as `vantrel drop` makes it unless
// told otherwise (physics::DropOptions): released upright 0.5 m above the
// ground, 60 fps at x1 for 30 s, g = 9.81 m/s^2.
physics::DropSetup DropSetupOf(const VesselModel& model,
                               const physics::ContactPoints& points);

}  // namespace vessel

#endif  // VANTREL_VESSEL_VESSEL_MODEL_H_
