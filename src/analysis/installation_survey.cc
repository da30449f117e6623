#include "analysis/installation_survey.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <map>
#include <set>
#include <thread>
#include <tuple>

#include "analysis/physics_points.h"
#include "formats/item_file.h"
#include "vessel/vessel_model.h"

namespace analysis {

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
  const int state = body.state == formats::VesselState::kLanded     ? 0
                    : body.state == formats::VesselState::kNotGiven ? 1
                                                                    : 2;
  return {formats::FoldCase(vessel.class_name),
          by,
          applied == nullptr ? "" : formats::FoldCase(applied->path),
          state,
          state == 2 ? "" : formats::FoldCase(body.name),
          vessel.mass,
          vessel.model.mass_from};
}

// One drop a row asks for: a set of points on a vessel at one mass, on its
// body, as `vantrel drop` drops it by default there, handed over when the
// plug-in hands the set over.
struct DropAsked {
  physics::DroppedVessel vessel;
  physics::ContactPoints points;
  physics::DropOptions options;
  bool hand_over = false;
};

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

// The bytes of everything a drop and its judgement depend on, so that
// equal drops run once.
class DropKey {
 public:
  DropKey& Add(double value) {
    char bytes[sizeof value];
    std::memcpy(bytes, &value, sizeof value);
    key_.append(bytes, sizeof value);
    return *this;
  }
  DropKey& Add(const physics::Body& body) {
    for (double v : {body.mass, body.inertia.x, body.inertia.y, body.inertia.z,
                     body.size}) {
      Add(v);
    }
    return *this;
  }
  DropKey& Add(const physics::Slope& slope) {
    return Add(slope.angle_deg).Add(slope.downhill_deg).Add(slope.kappa);
  }
  DropKey& Add(const physics::ContactPoints& points) {
    key_ += '|';
    for (const physics::ContactPoint& p : points) {
      for (double v : {p.pos.x, p.pos.y, p.pos.z, p.stiffness, p.damping, p.mu,
                       p.mu_lng}) {
        Add(v);
      }
    }
    return *this;
  }
  const std::string& text() const { return key_; }

 private:
  std::string key_;
};

std::string KeyOfDrop(const DropAsked& asked) {
  DropKey key;
  key.Add(asked.vessel.body).Add(asked.options.gravity);
  key.Add(asked.options.slope).Add(asked.hand_over ? 1.0 : 0.0);
  key.Add(asked.points).Add(asked.vessel.own_points);
  return key.text();
}

std::string KeyOfSlope(const physics::DropSetup& setup) {
  DropKey key;
  key.Add(setup.body).Add(setup.gravity).Add(setup.slope).Add(setup.points);
  return key.text();
}

// Runs every distinct drop, and every distinct answer on a slope, once,
// spread over `threads` threads.
class DropRuns {
 public:
  // The index of the drop asked, added when new.
  std::size_t Add(DropAsked asked) {
    const auto [entry, added] =
        drop_index_.try_emplace(KeyOfDrop(asked), asked_.size());
    if (added) asked_.push_back(std::move(asked));
    return entry->second;
  }
  // The index of the answer on the slope of `setup`, added when new.
  std::size_t AddSlope(const physics::DropSetup& setup) {
    const auto [entry, added] =
        slope_index_.try_emplace(KeyOfSlope(setup), slopes_.size());
    if (added) slopes_.push_back(setup);
    return entry->second;
  }

  void Run(unsigned threads) {
    results_.resize(asked_.size());
    answers_.resize(slopes_.size());
    // The answers first: each takes many drops.
    const std::size_t count = answers_.size() + results_.size();
    std::atomic<std::size_t> next{0};
    // Each drop sweeps its steps on one thread; the drops share the
    // threads, which keeps every thread busy on a survey of many.
    const auto work = [&] {
      for (std::size_t i = next++; i < count; i = next++) {
        if (i < answers_.size()) {
          answers_[i] = slope::AnswerOnSlope(slopes_[i]);
        } else {
          const std::size_t k = i - answers_.size();
          const DropAsked& a = asked_[k];
          results_[k] = physics::DropAndJudge(a.vessel, a.points, a.options,
                                              a.hand_over, 1);
        }
      }
    };
    std::vector<std::thread> helpers;
    const std::size_t wanted = std::min<std::size_t>(threads, count);
    for (std::size_t t = 1; t < wanted; ++t) helpers.emplace_back(work);
    work();
    for (std::thread& helper : helpers) helper.join();
  }

  const physics::JudgedDrop& result(std::size_t index) const {
    return results_[index];
  }
  const slope::SlopeAnswer& answer(std::size_t index) const {
    return answers_[index];
  }

 private:
  std::map<std::string, std::size_t> drop_index_;
  std::map<std::string, std::size_t> slope_index_;
  std::vector<DropAsked> asked_;
  std::vector<physics::DropSetup> slopes_;
  std::vector<physics::JudgedDrop> results_;
  std::vector<slope::SlopeAnswer> answers_;
};

// The drops of `points` on `vessel` on its body at the masses it will have:
// empty and with full tanks for a class with tanks, else its mass.
std::vector<std::size_t> AddDrops(const standin::VesselOutcome& vessel,
                                  const vessel::VesselBody& body,
                                  const physics::ContactPoints& points,
                                  bool hand_over, DropRuns& drops) {
  const vessel::VesselModel& model = vessel.model;
  std::vector<double> masses{model.mass};
  if (model.full_mass > model.empty_mass) {
    masses = {model.empty_mass, model.full_mass};
  }
  std::vector<std::size_t> added;
  for (double mass : masses) {
    DropAsked asked;
    asked.vessel = vessel::DroppedVesselOf(model);
    asked.vessel.body.mass = mass;
    asked.points = points;
    asked.options.gravity = body.gravity;
    asked.hand_over = hand_over;
    added.push_back(drops.Add(std::move(asked)));
  }
  return added;
}

struct Gathered {
  SurveyRow row;
  std::set<std::size_t> scenarios;
  std::vector<std::size_t> without;
  std::vector<std::size_t> with;
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
      if (body.state == formats::VesselState::kOrbiting &&
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
            AddDrops(vessel, body, vessel.model.own_points, false, drops);
        gathered.slope = drops.AddSlope(slope::OnShownSlope(
            SetupOf(vessel, body,
                    applied == nullptr ? vessel.model.own_points
                                       : ToContactPoints(vessel.touchdown)),
            body.slope_factor));
      }
      if (applied == nullptr) continue;
      row.applied = *applied;
      if (body.Judged()) {
        gathered.with = AddDrops(
            vessel, body, ToContactPoints(vessel.touchdown), true, drops);
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
    for (std::size_t i : gathered.without) {
      row.without.push_back(drops.result(i));
    }
    for (std::size_t i : gathered.with) row.with.push_back(drops.result(i));
    if (gathered.slope) row.slope = drops.answer(*gathered.slope);
    survey.push_back(std::move(row));
  }
  return survey;
}

}  // namespace analysis
