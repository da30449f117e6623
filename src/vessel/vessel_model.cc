#include "vessel/vessel_model.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "formats/vessel_mass.h"
#include "rules/sweep_step.h"
#include "vessel/default_touchdown_points.h"

namespace vessel {

namespace {

std::string At(const ClassFile& file, int line) {
  return file.file + ":" + std::to_string(line);
}

std::string Kg(double kg) {
  char text[64];
  std::snprintf(text, sizeof text, "%.10g", kg);
  return text;
}

// The host empties every tank of a vessel it reads from a scenario, then
// fills the tanks that PRPLEVEL names, or all of them to FUEL's level.
double FillLevel(const VesselInputs& inputs, int tank, bool& given) {
  for (const auto& [index, level] : inputs.levels) {
    if (index == tank) {
      given = true;
      return std::clamp(level, 0.0, 1.0);
    }
  }
  if (inputs.fuel) {
    given = true;
    return std::clamp(*inputs.fuel, 0.0, 1.0);
  }
  return 0.0;
}

void ModelPropellant(const ClassFile& file, const VesselInputs& inputs,
                     VesselModel& model) {
  if (file.tanks.empty()) return;
  bool given = false;
  for (std::size_t i = 0; i < file.tanks.size(); ++i) {
    model.propellant +=
        file.tanks[i] * FillLevel(inputs, static_cast<int>(i), given);
    model.capacity += file.tanks[i];
  }
  const std::string tanks =
      file.tanks.size() == 1
          ? file.tanks_item
          : file.tanks_item + "-" + std::to_string(file.tanks.size());
  model.propellant_from = At(file, file.tanks_line) + " " + tanks +
                          (given ? ", levels from the scenario"
                                 : ", empty: the scenario fills none");
}

}  // namespace

physics::ContactPoints DefaultPoints() {
  physics::ContactPoints points;
  for (const TOUCHDOWNVTX& v : vessel::DefaultTouchdownPoints()) {
    points.push_back(
        {{v.pos.x, v.pos.y, v.pos.z}, v.stiffness, v.damping, v.mu, v.mu_lng});
  }
  return points;
}

VesselModel ModelVessel(const ClassFile& file, const VesselInputs& inputs) {
  VesselModel model;
  model.class_file = file.file;
  model.module = file.module.value.value_or("");
  if (inputs.mass) {
    model.mass = model.empty_mass = model.full_mass = *inputs.mass;
    model.mass_from = inputs.mass_from;
  } else {
    if (inputs.class_mass) {
      model.empty_mass = *inputs.class_mass;
      model.mass_from = inputs.class_mass_from;
    } else if (file.mass.value) {
      model.empty_mass = *file.mass.value;
      model.mass_from = file.file;
    } else {
      model.empty_mass = formats::kDefaultVesselMass;
      model.mass_from = "default";
      model.module_sets_mass = !model.module.empty();
    }
    ModelPropellant(file, inputs, model);
    model.mass = model.empty_mass + model.propellant;
    model.full_mass = model.empty_mass + model.capacity;
    if (model.propellant > 0.0) {
      model.mass_from += ", with " + Kg(model.propellant) + " propellant";
    }
  }
  if (file.size.value) {
    model.size = *file.size.value;
    model.size_from = At(file, file.size.line);
  }
  if (file.inertia.value) {
    model.inertia = *file.inertia.value;
    model.inertia_from = At(file, file.inertia.line);
  }
  if (file.touchdown.value) {
    for (const physics::Vec3& p : *file.touchdown.value) {
      model.own_points.push_back(
          {p, kClassStiffness, kClassDamping, kClassMu, kClassMuLng});
    }
    model.own_points_from = At(file, file.touchdown.line) + " TouchdownPoints";
    model.default_points = false;
  } else if (file.hull && file.hull->Accepted()) {
    model.own_points = HullPoints(file.hull->reading);
    model.own_points_from =
        At(file, file.hull->line) + " CollisionHull " + file.hull->file;
    model.default_points = false;
  } else {
    model.own_points = DefaultPoints();
    model.own_points_from = "the host's default points";
  }
  return model;
}

physics::DroppedVessel DroppedVesselOf(const VesselModel& model) {
  physics::DroppedVessel vessel;
  vessel.body.mass = model.mass;
  vessel.body.inertia = model.inertia;
  vessel.body.size = model.size;
  vessel.own_points = model.own_points;
  vessel.switch_frame = rules::kSweepStep;
  return vessel;
}

physics::DropSetup DropSetupOf(const VesselModel& model,
                               const physics::ContactPoints& points) {
  return physics::MakeDropSetup(DroppedVesselOf(model), points, {});
}

}  // namespace vessel
