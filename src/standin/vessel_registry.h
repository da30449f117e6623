#ifndef VANTREL_STANDIN_VESSEL_REGISTRY_H_
#define VANTREL_STANDIN_VESSEL_REGISTRY_H_

#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "orbiter_api.h"
#include "standin/sim_object.h"

namespace standin {

// The objects of the simulation. Vessels are indexed in order of creation;
// handles stay valid until the registry is emptied or destroyed.
class VesselRegistry {
 public:
  // Creates a vessel with the default touchdown points. A missing class
  // name makes GetClassNameA return null.
  SimObject& AddVessel(std::string name, std::optional<std::string> class_name,
                       double mass);

  // Creates an object that is not a vessel.
  SimObject& AddObject(std::string name, double mass);

  // The object of a handle, or null when the handle names none.
  SimObject* Find(const void* handle) const;

  std::size_t vessel_count() const { return vessels_.size(); }
  // The vessel at `index`, or null when there is none.
  SimObject* VesselAt(std::size_t index) const;

  // Empties the registry: its vessels and other objects, for their owner to
  // keep or destroy. Their handles name no object of the registry after.
  std::vector<std::unique_ptr<SimObject>> TakeObjects();

 private:
  std::vector<std::unique_ptr<SimObject>> vessels_;
  std::vector<std::unique_ptr<SimObject>> others_;
  std::unordered_set<const void*> handles_;
};

}  // namespace standin

#endif  // VANTREL_STANDIN_VESSEL_REGISTRY_H_
