#include "installation_survey.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <map>
#include <set>
#include <thread>
#include <tuple>

#include "item_file.h"
#include "physics_points.h"
#include "vessel_model.h"

namespace tools {

namespace {

// What makes vessels of a class one row: the definition that applied, the
// body (every body orbited is one), and the mass, with where it came from.
using RowKey = std::tuple<std::string, int, std::string, int, std::string,
                          double, std::string>;

RowKey KeyOf(const standin::VesselOutcome& vessel,
             const VesselAccount& account) {
  const KeyTried* applied = account.Applied();
  // None first, then the class's definition, then a name's.
  const int by = applied == nullptr                    ? 0
                 : applied->by == KeyTried::By::kClass ? 1
                                                       : 2;
  // Landed first, then without a STATUS line, then in orbit.
  const vessel::VesselBody& body = account.body;
  const int state = body.state == standin::VesselState::kLanded     ? 0
                    : body.state == standin::VesselState::kNotGiven ? 1
                                                                    : 2;
  return {standin::FoldCase(vessel.class_name),
          by,
          applied == nullptr ? "" : standin::FoldCase(applied->path),
          state,
          state == 2 ? "" : standin::FoldCase(body.name),
          vessel.mass,
          vessel.model.mass_from};
}

// The drop of `points` on `vessel` on its body, as `vantrel drop` drops
// it by default.
physics::DropSetup SetupOf(const standin::VesselOutcome& vessel,
                           const vessel::VesselBody& body,
                           const physics::ContactPoints& points) {
  physics::DropOptions options;
  options.gravity = body.gravity;
  return physics::MakeDropSetup(vessel::DroppedVesselOf(vessel.model), points,
                                options);
}

// The bytes of everything a drop depends on, so that equal drops run once.
std::string DropKey(const physics::DropSetup& setup) {
  std::string key;
  const auto add = [&key](double value) {
    char bytes[sizeof value];
    std::memcpy(bytes, &value, sizeof value);
    key.append(bytes, sizeof value);
  };
  add(setup.body.mass);
  add(setup.body.inertia.x);
  add(setup.body.inertia.y);
  add(setup.body.inertia.z);
  add(setup.body.size);
  add(setup.gravity);
  add(setup.slope.angle_deg);
  add(setup.slope.downhill_deg);
  add(setup.slope.kappa);
  for (const physics::ContactPoint& p : setup.points) {
    for (double v :
         {p.pos.x, p.pos.y, p.pos.z, p.stiffness, p.damping, p.mu, p.mu_lng}) {
      add(v);
    }
  }
  return key;
}

// Runs every distinct drop, and every distinct answer on a slope, once,
// spread over `threads` threads.
class DropRuns {
 public:
  // The index of the drop of `setup`, added when new.
  std::size_t Add(const physics::DropSetup& setup) {
    return AddTo(drops_, setup);
  }
  // The index of the answer on the slope of `setup`, added when new.
  std::size_t AddSlope(const physics::DropSetup& setup) {
    return AddTo(slopes_, setup);
  }

  void Run(unsigned threads) {
    results_.resize(drops_.setups.size());
    answers_.resize(slopes_.setups.size());
    // The answers first: each takes many drops.
    const std::size_t count = answers_.size() + results_.size();
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
      for (std::size_t i = next++; i < count; i = next++) {
        if (i < answers_.size()) {
          answers_[i] = slope::AnswerOnSlope(slopes_.setups[i]);
        } else {
          const std::size_t k = i - answers_.size();
          results_[k] = physics::RunDrop(drops_.setups[k]);
        }
      }
    };
    std::vector<std::thread> helpers;
    const std::size_t wanted = std::min<std::size_t>(threads, count);
    for (std::size_t t = 1; t < wanted; ++t) helpers.emplace_back(work);
    work();
    for (std::thread& helper : helpers) helper.join();
  }

  const physics::DropResult& result(std::size_t index) const {
    return results_[index];
  }
  const slope::SlopeAnswer& answer(std::size_t index) const {
    return answers_[index];
  }

 private:
  struct Distinct {
    std::map<std::string, std::size_t> index;
    std::vector<physics::DropSetup> setups;
  };

  static std::size_t AddTo(Distinct& distinct,
                           const physics::DropSetup& setup) {
    const auto [entry, added] =
        distinct.index.try_emplace(DropKey(setup), distinct.setups.size());
    if (added) distinct.setups.push_back(setup);
    return entry->second;
  }

  Distinct drops_;
  Distinct slopes_;
  std::vector<physics::DropResult> results_;
  std::vector<slope::SlopeAnswer> answers_;
};

struct Gathered {
  SurveyRow row;
  std::set<std::size_t> scenarios;
  std::optional<std::size_t> without;
  std::optional<std::size_t> with;
  std::optional<std::size_t> slope;
};

}  // namespace

std::vector<SurveyRow> GatherSurvey(
    const std::vector<SurveyedScenario>& scenarios,
    const std::function<CheckCounts(const std::string&)>& check,
    unsigned threads) {
  std::map<RowKey, Gathered> rows;
  std::map<std::string, CheckCounts> checked;
  DropRuns drops;
  for (std::size_t s = 0; s < scenarios.size(); ++s) {
    for (std::size_t v = 0; v < scenarios[s].vessels.size(); ++v) {
      const standin::VesselOutcome& vessel = scenarios[s].vessels[v];
      const VesselAccount& account = scenarios[s].accounts[v];
      const KeyTried* applied = account.Applied();
      auto [entry, added] = rows.try_emplace(KeyOf(vessel, account));
      Gathered& gathered = entry->second;
      SurveyRow& row = gathered.row;
      gathered.scenarios.insert(s);
      ++row.vessels;
      if (std::find(row.spellings.begin(), row.spellings.end(),
                    vessel.class_name) == row.spellings.end()) {
        row.spellings.push_back(vessel.class_name);
      }
      const vessel::VesselBody& body = account.body;
      if (body.state == standin::VesselState::kOrbiting &&
          std::find(row.orbited.begin(), row.orbited.end(), body.name) ==
              row.orbited.end()) {
        row.orbited.push_back(body.name);
      }
      if (!added) continue;
      row.class_name = vessel.class_name;
      row.example = vessel;
      row.body = body;
      if (body.Judged()) {
        gathered.without =
            drops.Add(SetupOf(vessel, body, vessel.model.own_points));
        gathered.slope = drops.AddSlope(slope::OnShownSlope(
            SetupOf(vessel, body,
                    applied == nullptr ? vessel.model.own_points
                                       : ToContactPoints(vessel.touchdown)),
            body.slope_factor));
      }
      if (applied == nullptr) continue;
      row.applied = *applied;
      if (body.Judged()) {
        gathered.with =
            drops.Add(SetupOf(vessel, body, ToContactPoints(vessel.touchdown)));
      }
      const auto [counts, first] = checked.try_emplace(applied->path);
      if (first) counts->second = check(applied->path);
      row.check = counts->second;
    }
  }
  drops.Run(std::max(threads, 1u));
  std::vector<SurveyRow> survey;
  for (auto& [key, gathered] : rows) {
    SurveyRow& row = gathered.row;
    row.scenarios = static_cast<int>(gathered.scenarios.size());
    if (gathered.without) row.without = drops.result(*gathered.without);
    if (gathered.with) row.with = drops.result(*gathered.with);
    if (gathered.slope) row.slope = drops.answer(*gathered.slope);
    survey.push_back(std::move(row));
  }
  return survey;
}

}  // namespace tools
