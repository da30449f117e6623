#ifndef VANTREL_STANDIN_SIM_OBJECT_H_
#define VANTREL_STANDIN_SIM_OBJECT_H_

#include <optional>
#include <string>
#include <vector>

#include "default_touchdown_points.h"
#include "orbiter_api.h"

namespace standin {

// Where the touchdown vertices a vessel has now came from, as the stand-in
// observed the module's calls: the lookup starts with oapiGetObjectName, and
// the file the module opened last before SetTouchdownPoints is the one that
// applied. The first open of a lookup is the name, a later one the class.
struct TouchdownSource {
  enum class Kind { kOwn, kName, kClass };
  Kind kind = Kind::kOwn;
  std::string file;  // the path as the module asked for it
};

// An object of the simulation. Vessels carry touchdown vertices; other
// objects (a planet, say) only a name and a mass. Its address is its handle,
// and for a vessel also its VESSEL interface.
class SimObject : public VESSEL {
 public:
  std::string name;
  std::optional<std::string> class_name;
  double mass = 0.0;
  bool is_vessel = true;
  std::vector<TOUCHDOWNVTX> touchdown;
  int touchdown_sets = 0;  // how often SetTouchdownPoints was accepted
  TouchdownSource source;
};

}  // namespace standin

#endif  // VANTREL_STANDIN_SIM_OBJECT_H_
