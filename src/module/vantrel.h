#ifndef VANTREL_MODULE_VANTREL_H_
#define VANTREL_MODULE_VANTREL_H_

#include <cstdint>
#include <string>

#include "module/definition_table.h"
#include "orbiter_api.h"
#include "rules/definition_rules.h"

// The plug-in's module object. It replaces the touchdown vertices of every
// vessel the host reports as new, and of every vessel present during the
// tenth post-step callback of each simulation, with a definition read from
// Config\Vantrel\<name or class>.cfg.
class Vantrel : public oapi::Module {
 public:
  // The most points a definition may ask for. A file asking for more is
  // ignored as if it did not count, and the log says so.
  static constexpr std::int32_t kMaxPoints = rules::kMaxPoints;

  // Logs the banner.
  explicit Vantrel(HINSTANCE hDLL);
  // Tells the library that the object is gone (module_registration.h).
  ~Vantrel() override;

  // Arms the sweep again: counting starts over for the new simulation.
  void clbkSimulationStart(RenderMode mode) override;
  // Counts post-steps since construction or the last simulation start;
  // during the tenth one, updates every vessel present.
  void clbkPostStep(double simt, double simdt, double mjd) override;
  // Updates the new vessel at once.
  void clbkNewVessel(OBJHANDLE hVessel) override;

  // Looks for a definition under the vessel's name, then under its class,
  // and applies the first one that counts. Without one the vessel keeps its
  // touchdown vertices.
  void UpdateVessel(OBJHANDLE hVessel);

  // Reads Config\Vantrel\<key>.cfg (every "/" of the key written as "___")
  // into `table`. True when the file was opened and holds N >= 3 (and at most
  // kMaxPoints) points. A file that cannot be opened is logged and leaves
  // `table` as it was; any other failure leaves it empty.
  bool LoadDefinition(std::string key);

  // Completes the springs and friction of `table` from its first point and
  // the vessel's mass, hands the vertices to the host and logs each one.
  // Needs a `table` filled by a successful LoadDefinition.
  void ApplyDefinition(OBJHANDLE hVessel);

  DefinitionTable table;
  std::int32_t stepCount;
  bool sweepPending;
};

#endif  // VANTREL_MODULE_VANTREL_H_
