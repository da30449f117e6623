#include "analysis/vessel_account.h"

#include <cmath>
#include <cstddef>
#include <utility>

#include "analysis/key_suggestion.h"
#include "rules/point_reading.h"

namespace analysis {

namespace {

using Call = standin::PluginCall;
using Kind = Call::Kind;
using Calls = std::vector<Call>;

// A name as the module's buffer holds it: up to its first NUL, cut to fit.
std::string NameKey(const std::string& name) {
  return name.substr(0, name.find('\0')).substr(0, rules::kKeyRoom - 1);
}

// A class name as the module takes it; nothing when it does not fit.
std::optional<std::string> ClassKey(const std::string& class_name) {
  std::string key = class_name.substr(0, class_name.find('\0'));
  if (key.size() >= rules::kKeyRoom) return std::nullopt;
  return key;
}

bool IsOpen(const Call& call) {
  return call.kind == Kind::kOpened || call.kind == Kind::kNotOpened;
}

// The first open at or after `at`; calls.size() when there is none.
std::size_t NextOpen(const Calls& calls, std::size_t at) {
  while (at < calls.size() && !IsOpen(calls[at])) ++at;
  return at;
}

// One read of a POINT item, as the host recorded it.
struct PointItemRead {
  long index = 0;  // the point the item's key names
  const formats::ItemFile::Lookup* lookup = nullptr;
};

// What the plug-in did with the file opened by calls[open], into `tried`:
// its read of N, its reads of the points (into `points`), and whether the
// vessel got points before the next open. Returns where the next open is.
std::size_t TakeFile(const Calls& calls, std::size_t open, std::size_t vessel,
                     KeyTried& tried, std::vector<PointItemRead>& points) {
  const Call& opened = calls[open];
  tried.disk_path = std::string(opened.disk_path);
  if (opened.kind == Kind::kNotOpened) {
    tried.verdict = KeyTried::Verdict::kMissing;
    return NextOpen(calls, open + 1);
  }
  tried.verdict = KeyTried::Verdict::kDoesNotCount;
  points.clear();
  std::size_t at = open + 1;
  for (; at < calls.size() && !IsOpen(calls[at]); ++at) {
    const Call& call = calls[at];
    if (call.kind == Kind::kPointsSet && call.vessel == vessel) {
      tried.verdict = KeyTried::Verdict::kApplied;
    }
    if (call.kind != Kind::kItemRead || call.path != opened.path) continue;
    if (call.item == "N" && !tried.count) {
      tried.count = ReadCount(*call.lookup);
    } else if (const auto index = PointIndexOfKey(call.item)) {
      points.push_back({*index, call.lookup});
    }
  }
  return at;
}

// What the plug-in did in one update of `vessel`, the `index`-th vessel; the
// reads of the points of the file that applied go into `points`.
VesselUpdate Update(const Calls& calls, const standin::VesselOutcome& vessel,
                    std::size_t index, std::vector<PointItemRead>& points) {
  std::vector<std::pair<KeyTried::By, std::string>> keys = {
      {KeyTried::By::kName, NameKey(vessel.name)}};
  if (const auto class_key = ClassKey(vessel.class_name)) {
    keys.emplace_back(KeyTried::By::kClass, *class_key);
  }
  VesselUpdate update;
  std::vector<PointItemRead> reads;
  std::size_t at = NextOpen(calls, 0);
  for (const auto& [by, key] : keys) {
    KeyTried tried;
    tried.by = by;
    tried.key = key;
    tried.path = rules::DefinitionPath(key);
    const rules::KeyRefusal refusal = rules::RefusalOf(key);
    if (refusal.reason != rules::KeyRefusal::Reason::kNone) {
      tried.verdict = KeyTried::Verdict::kRefused;
      tried.refusal = refusal.reason;
      tried.refused_component = std::string(refusal.component);
      update.keys.push_back(std::move(tried));
      continue;
    }
    if (at == calls.size() || calls[at].path != tried.path) break;
    at = TakeFile(calls, at, index, tried, reads);
    const bool applied = tried.verdict == KeyTried::Verdict::kApplied;
    update.keys.push_back(std::move(tried));
    if (applied) {
      points = std::move(reads);
      break;
    }
  }
  while (at < calls.size()) {
    KeyTried other;
    other.by = KeyTried::By::kOther;
    other.path = std::string(calls[at].path);
    at = TakeFile(calls, at, index, other, reads);
    if (other.verdict == KeyTried::Verdict::kApplied) points = std::move(reads);
    update.keys.push_back(std::move(other));
  }
  return update;
}

// The module's value buffer, given the recorded POINT reads of one file in
// the order it made them: the text each point took.
class RecordedPointReader {
 public:
  RecordedPointReader(const std::vector<PointItemRead>& reads,
                      std::vector<PointText>& texts)
      : reads_(reads), texts_(texts) {}

  void Fill(const char* text) { current_ = PointText{0, 0, text, {}, false}; }
  void Read(const char*, int i) {
    const PointItemRead& read = reads_[static_cast<std::size_t>(i - 1)];
    if (read.lookup->result == formats::ItemFile::Lookup::Result::kFound) {
      current_ = PointText{
          read.lookup->line, read.index, read.lookup->value, {}, false};
    }
  }
  void Take(int) { texts_.push_back(current_); }

 private:
  const std::vector<PointItemRead>& reads_;
  std::vector<PointText>& texts_;
  PointText current_;
};

bool Same(double a, double b) {
  return a == b || (std::isnan(a) && std::isnan(b));
}

// How each value of point `index` (1-based), handed over as `vertex`, came
// from its `text`, given what completion does to the definition.
void TraceValues(const TOUCHDOWNVTX& vertex, int index,
                 const rules::Completion& completion, PointText& text) {
  const rules::PointText file = rules::ParsePoint(text.text.c_str());
  const TOUCHDOWNVTX read = rules::VertexOf(file, index);
  const double handed[7] = {vertex.pos.x,     vertex.pos.y,   vertex.pos.z,
                            vertex.stiffness, vertex.damping, vertex.mu,
                            vertex.mu_lng};
  // What the text says, a seventh number that is written but ignored
  // included.
  const double said[7] = {
      read.pos.x,
      read.pos.y,
      read.pos.z,
      read.stiffness,
      read.damping,
      read.mu,
      file.count == rules::kPointNumbers ? file.numbers[6] : read.mu_lng};
  for (std::size_t k = 0; k < 7; ++k) {
    ValueOrigin& origin = text.origins[k];
    origin = ValueOrigin::kText;
    if (Same(handed[k], said[k])) continue;
    const bool lateral = k == 6 && !rules::TakesSeventhNumber(index) &&
                         Same(vertex.mu_lng, vertex.mu);
    if (lateral) {
      origin = ValueOrigin::kLateral;
      text.seventh_ignored = file.count == rules::kPointNumbers;
    } else if (k == 3 || k == 4) {
      origin = completion.springs ? ValueOrigin::kSprings : ValueOrigin::kOther;
    } else if (k == 5 || k == 6) {
      origin =
          completion.friction ? ValueOrigin::kFriction : ValueOrigin::kOther;
    } else {
      origin = ValueOrigin::kOther;
    }
  }
}

// The points `vessel` has now, read by the plug-in with `reads` when a
// definition gave them.
std::vector<AccountedPoint> PointsNow(const standin::VesselOutcome& vessel,
                                      const std::vector<PointItemRead>& reads) {
  std::vector<PointText> texts;
  if (vessel.touchdown_sets > 0) {
    RecordedPointReader reader(reads, texts);
    rules::ReadPointItems(static_cast<int>(reads.size()), reader);
  }
  std::vector<TOUCHDOWNVTX> read;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    read.push_back(rules::VertexOf(rules::ParsePoint(texts[i].text.c_str()),
                                   static_cast<int>(i) + 1));
  }
  const rules::Completion completion = rules::CompletionOf(read);
  std::vector<AccountedPoint> points;
  for (std::size_t i = 0; i < vessel.touchdown.size(); ++i) {
    AccountedPoint point;
    point.vertex = vessel.touchdown[i];
    if (i < texts.size()) {
      point.text = std::move(texts[i]);
      TraceValues(point.vertex, static_cast<int>(i) + 1, completion,
                  *point.text);
    }
    points.push_back(std::move(point));
  }
  return points;
}

}  // namespace

const KeyTried* VesselUpdate::Applied() const {
  for (const KeyTried& key : keys) {
    if (key.verdict == KeyTried::Verdict::kApplied) return &key;
  }
  return nullptr;
}

const KeyTried* VesselAccount::Applied() const {
  for (auto update = updates.rbegin(); update != updates.rend(); ++update) {
    if (const KeyTried* key = update->Applied()) return key;
  }
  return nullptr;
}

std::vector<VesselAccount> AccountVessels(const standin::SessionResult& session,
                                          vessel::BodyCatalog& bodies) {
  // The calls of each update of each vessel, split where the plug-in asks
  // for an object's name.
  std::vector<std::vector<Calls>> updates(session.vessels.size());
  Calls* current = nullptr;
  for (std::size_t i = 0; i < session.calls.size(); ++i) {
    const Call call = session.calls[i];
    if (call.kind == Kind::kNameAsked) {
      current = call.vessel < updates.size()
                    ? &updates[call.vessel].emplace_back()
                    : nullptr;
    } else if (current != nullptr) {
      current->push_back(call);
    }
  }
  std::vector<VesselAccount> accounts;
  accounts.reserve(session.vessels.size());
  for (std::size_t i = 0; i < session.vessels.size(); ++i) {
    const standin::VesselOutcome& vessel = session.vessels[i];
    VesselAccount account;
    std::vector<PointItemRead> reads;
    for (const Calls& calls : updates[i]) {
      std::vector<PointItemRead> applied;
      account.updates.push_back(Update(calls, vessel, i, applied));
      if (account.updates.back().Applied() != nullptr) {
        reads = std::move(applied);
      }
    }
    account.points = PointsNow(vessel, reads);
    account.own_points = vessel.model.own_points;
    account.own_points_from = vessel.model.own_points_from;
    account.body = bodies.Of(vessel.state, vessel.body);
    accounts.push_back(std::move(account));
  }
  return accounts;
}

}  // namespace analysis
