#ifndef VANTREL_STANDIN_SIM_OBJECT_H_
#define VANTREL_STANDIN_SIM_OBJECT_H_

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "orbiter_api.h"
#include "vessel/default_touchdown_points.h"

namespace standin {

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
  // A vessel's place in the order of creation; PluginCall::kNotAVessel for
  // another object.
  std::size_t index = 0;
};

}  // namespace standin

#endif  // VANTREL_STANDIN_SIM_OBJECT_H_
