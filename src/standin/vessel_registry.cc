#include "standin/vessel_registry.h"

#include <utility>

#include "standin/plugin_call.h"

namespace standin {

SimObject& VesselRegistry::AddVessel(std::string name,
                                     std::optional<std::string> class_name,
                                     double mass) {
  auto vessel = std::make_unique<SimObject>();
  vessel->name = std::move(name);
  vessel->class_name = std::move(class_name);
  vessel->mass = mass;
  vessel->touchdown = vessel::DefaultTouchdownPoints();
  vessel->index = vessels_.size();
  handles_.insert(vessel.get());
  vessels_.push_back(std::move(vessel));
  return *vessels_.back();
}

SimObject& VesselRegistry::AddObject(std::string name, double mass) {
  auto object = std::make_unique<SimObject>();
  object->name = std::move(name);
  object->mass = mass;
  object->is_vessel = false;
  object->index = PluginCall::kNotAVessel;
  handles_.insert(object.get());
  others_.push_back(std::move(object));
  return *others_.back();
}

SimObject* VesselRegistry::Find(const void* handle) const {
  if (handles_.count(handle) == 0) return nullptr;
  return static_cast<SimObject*>(const_cast<void*>(handle));
}

SimObject* VesselRegistry::VesselAt(std::size_t index) const {
  return index < vessels_.size() ? vessels_[index].get() : nullptr;
}

std::vector<std::unique_ptr<SimObject>> VesselRegistry::TakeObjects() {
  std::vector<std::unique_ptr<SimObject>> objects = std::move(vessels_);
  objects.reserve(objects.size() + others_.size());
  for (auto& object : others_) objects.push_back(std::move(object));
  vessels_.clear();
  others_.clear();
  handles_.clear();
  return objects;
}

}  // namespace standin
