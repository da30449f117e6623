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

// One drop a row asks for: a set of points on a vessel at one mass, on its
// body, as `vantrel drop` drops it by default there, handed over when the
// plug-in hands the set over.
struct DropAsked {
  physics::DroppedVessel vessel;
  physics::ContactPoints points;
  physics::DropOptions options;
  bool hand_over = false;
};

// The bytes of everything a drop and its judgement depend on, so that equal
// drops run once.
std::string DropKey(const DropAsked& asked) {
  std::string key;
  const auto add = [&key](double value) {
    char bytes[sizeof value];
    std::memcpy(bytes, &value, sizeof value);
    key.append(bytes, sizeof value);
  };
  const physics::Body& body = asked.vessel.body;
  for (double v : {body.mass, body.inertia.x, body.inertia.y, body.inertia.z,
                   body.size, asked.options.gravity}) {
    add(v);
  }
  key += asked.hand_over ? 'h' : '-';
  for (const physics::ContactPoints* set :
       {&asked.points, &asked.vessel.own_points}) {
    key += '|';
    for (const physics::ContactPoint& p : *set) {
      for (double v : {p.pos.x, p.pos.y, p.pos.z, p.stiffness, p.damping, p.mu,
                       p.mu_lng}) {
        add(v);
      }
    }
  }
  return key;
}

// Runs every distinct drop once, spread over `threads` threads.
class DropRuns {
 public:
  // The index of the drop asked, added when new.
  std::size_t Add(DropAsked asked) {
    const auto [entry, added] =
        index_.try_emplace(DropKey(asked), asked_.size());
    if (added) asked_.push_back(std::move(asked));
    return entry->second;
  }

  void Run(unsigned threads) {
    results_.resize(asked_.size());
    std::atomic<std::size_t> next{0};
    // Each drop sweeps its steps on one thread; the drops share the
    // threads, which keeps every thread busy on a survey of many.
    const auto work = [&] {
      for (std::size_t i = next++; i < asked_.size(); i = next++) {
        const DropAsked& a = asked_[i];
        results_[i] = physics::DropAndJudge(a.vessel, a.points, a.options,
                                            a.hand_over, 1);
      }
    };
    std::vector<std::thread> helpers;
    const std::size_t wanted = std::min<std::size_t>(threads, asked_.size());
    for (std::size_t t = 1; t < wanted; ++t) helpers.emplace_back(work);
    work();
    for (std::thread& helper : helpers) helper.join();
  }

  const physics::JudgedDrop& result(std::size_t index) const {
    return results_[index];
  }

 private:
  std::map<std::string, std::size_t> index_;
  std::vector<DropAsked> asked_;
  std::vector<physics::JudgedDrop> results_;
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
            AddDrops(vessel, body, vessel.model.own_points, false, drops);
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
    survey.push_back(std::move(row));
  }
  return survey;
}

}  // namespace tools
