#ifndef VANTREL_ANALYSIS_INSTALLATION_SURVEY_H_
#define VANTREL_ANALYSIS_INSTALLATION_SURVEY_H_

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "analysis/vessel_account.h"
#include "physics/judged_drop.h"
#include "slope/slope_answer.h"
#include "standin/session.h"

namespace analysis {

// One scenario as the plug-in left its vessels after the sweep.
struct SurveyedScenario {
  std::string name;  // as the simulator names it ("Delta-glider\Brighton")
  std::vector<standin::VesselOutcome> vessels;
  std::vector<VesselAccount> accounts;  // one for each vessel
};

// What `vantrel check` says of a definition file.
struct CheckCounts {
  int errors = 0;
  int warnings = 0;
};

// The vessels of one class that got the same definition and the same mass,
// on the same body (or in orbit): one row of the survey. A class whose
// vessels differ in any has a row for each.
struct SurveyRow {
  std::string class_name;  // as its first vessel spells it
  // Every spelling of the class in the scenarios; the host reads them alike.
  std::vector<std::string> spellings;
  int scenarios = 0;
  int vessels = 0;
  // The key whose definition applied (none: the vessels keep their own
  // points), and check's counts.
  std::optional<KeyTried> applied;
  CheckCounts check;
  // The first vessel of the row, as the plug-in left it.
  standin::VesselOutcome example;
  // The body its vessels stand on, with the gravity they are judged with;
  // for a row of vessels in orbit, the first one's.
  vessel::VesselBody body;
  // For a row of vessels in orbit: every body they orbit, in the order
  // met.
  std::vector<std::string> orbited;
  // The drop test on the vessel's own points and on the definition's
  // (handed over), on its body, each judged as `vantrel drop` judges it:
  // at the empty mass and with full tanks for a class with tanks, else at
  // the vessel's mass. The latter only when a definition applied. None for
  // vessels in orbit, or on a body whose gravity is not known.
  std::vector<physics::JudgedDrop> without;
  std::vector<physics::JudgedDrop> with;
  // How the points the vessels have (the definition's, else their own)
  // fare on a slope of slope::kShownSlopeDeg of their body, dropped as
  // above; none when they are not dropped.
  std::optional<slope::SlopeAnswer> slope;
};

// The vessels of every scenario, one row per class, definition, body and
// mass, sorted by class (without regard to case), then by the definition
// (none, then the class's, then names'), then by the body (landed, without
// a STATUS line, in orbit), then by mass. `check` gives check's counts
// for a definition that applied, by its path as the module asked for it
// (KeyTried::path). Each distinct set of points on a distinct vessel, mass
// and gravity is dropped and judged once, as `vantrel drop` does by
// default on the body, and answered once on the body's slope
// (slope::AnswerOnSlope), on up to `threads` threads; vessels in orbit are
// not dropped.
std::vector<SurveyRow> GatherSurvey(
    const std::vector<SurveyedScenario>& scenarios,
    const std::function<CheckCounts(const std::string&)>& check,
    unsigned threads);

}  // namespace analysis

#endif  // VANTREL_ANALYSIS_INSTALLATION_SURVEY_H_
