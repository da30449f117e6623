#include "vessel_model.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "default_touchdown_points.h"
#include "sweep_step.h"
#include "vessel_mass.h"

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
  return 1.0;
}

void ModelPropellant(const ClassFile& file, const VesselInputs& inputs,
                     VesselModel& model) {
  if (file.tanks.empty()) return;
  bool given = false;
  for (std::size_t i = 0; i < file.tanks.size(); ++i) {
    model.propellant +=
        file.tanks[i] * FillLevel(inputs, static_cast<int>(i), given);
  }
  const std::string tanks =
      file.tanks.size() == 1
          ? file.tanks_item
          : file.tanks_item + "-" + std::to_string(file.tanks.size());
  model.propellant_from = At(file, file.tanks_line) + " " + tanks +
                          (given ? ", levels from the scenario" : ", full");
}

}  // namespace

physics::ContactPoints DefaultPoints() {
  physics::ContactPoints points;
  for (const TOUCHDOWNVTX& v : standin::DefaultTouchdownPoints()) {
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
    model.mass = model.empty_mass = *inputs.mass;
    model.mass_from = inputs.mass_from;
  } else {
    if (inputs.class_mass) {
      model.empty_mass = *inputs.class_mass;
      model.mass_from = inputs.class_mass_from;
    } else if (file.mass.value) {
      model.empty_mass = *file.mass.value;
      model.mass_from = file.file;
    } else {
      model.empty_mass = standin::kDefaultVesselMass;
      model.mass_from = "default";
      model.module_sets_mass = !model.module.empty();
    }
    ModelPropellant(file, inputs, model);
    model.mass = model.empty_mass + model.propellant;
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

physics::DropSetup DropSetupOf(const VesselModel& model,
                               physics::ContactPoints points) {
  physics::DropSetup setup;
  setup.points = std::move(points);
  setup.own_points = model.own_points;
  setup.body.mass = model.mass;
  setup.body.inertia = model.inertia;
  setup.body.size = model.size;
  setup.switch_frame = rules::kSweepStep;
  return setup;
}

}  // namespace vessel
