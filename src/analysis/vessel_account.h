#ifndef VANTREL_ANALYSIS_VESSEL_ACCOUNT_H_
#define VANTREL_ANALYSIS_VESSEL_ACCOUNT_H_

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "analysis/definition_reading.h"
#include "analysis/diagnostic.h"
#include "orbiter_api.h"
#include "physics/contact_point.h"
#include "rules/definition_rules.h"
#include "standin/session.h"
#include "vessel/body_catalog.h"

namespace analysis {

// What the plug-in did with a vessel, and why: worked out once, from the
// stand-in's record of the plug-in's calls (standin::PluginCall), with the
// rules the plug-in itself follows. `run`, `show`, `survey` and `drop` print
// a vessel's account and decide nothing of their own; what they say of a
// vessel belongs here.

// One key the plug-in tried for a vessel, in its order: the name, then the
// class, until a file applies.
struct KeyTried {
  enum class By {
    kName,
    kClass,
    kOther,  // a file the plug-in opened for no key of the vessel
  };
  By by = By::kName;
  std::string key;   // as the plug-in took it
  std::string path;  // as it asks the host for the file, below Config

  enum class Verdict {
    kRefused,       // never opened: `refusal` says why
    kMissing,       // the host found no file it could read
    kDoesNotCount,  // opened, and passed over: `count` says why, when the
                    // plug-in's reads were recorded
    kApplied,       // opened, and its points handed over
  };
  Verdict verdict = Verdict::kMissing;
  rules::KeyRefusal::Reason refusal = rules::KeyRefusal::Reason::kNone;
  std::string refused_component;  // the component of the key refused
  std::string disk_path;          // the file the host read, when it opened one
  std::optional<CountReading> count;  // the read of N, when recorded
  // kDoesNotCount: what `vantrel check` says of the file that explains why
  // it was passed over, once PassedOverExplainer has read it (a byte-order
  // mark, UTF-16, N missing, a key misspelt, ...).
  std::vector<Diagnostic> passed_over;

  // The refusal as rules::RefusalOf gave it.
  rules::KeyRefusal Refusal() const { return {refusal, refused_component}; }
};

// One update of the vessel: from the plug-in asking for its name to the end
// of what it did with the files of that name and class.
struct VesselUpdate {
  std::vector<KeyTried> keys;
  // The key whose file applied, or null.
  const KeyTried* Applied() const;
};

// How a value handed to the host came to be.
enum class ValueOrigin {
  kText,      // the point's text, as the plug-in reads it
  kSprings,   // completion: the first point's stiffness or damping is 0
  kFriction,  // completion: the first point's lateral friction is 0
  kLateral,   // from point 4 on, the longitudinal friction is the lateral
  kOther,     // none of these: not what the text says, and no rule says why
};

// The text a point handed over was read from.
struct PointText {
  int line = 0;      // the line that gave the text; 0 for the initial "0"
  long text_of = 0;  // the point whose item gave it; 0 for the initial "0"
  std::string text;  // as the plug-in read it
  // x, y, z, stiffness, damping, mu, mu_lng.
  std::array<ValueOrigin, 7> origins{};
  bool seventh_ignored = false;  // a seventh number written, and ignored
};

// A point the vessel has now.
struct AccountedPoint {
  TOUCHDOWNVTX vertex{};  // as the host has it
  // The text it came from, when a definition gave it and the plug-in's
  // reads were recorded.
  std::optional<PointText> text;
};

// The account of one vessel.
struct VesselAccount {
  std::vector<VesselUpdate> updates;  // in order
  // The points the vessel has now: those of the last update that applied,
  // or its own.
  std::vector<AccountedPoint> points;
  // The vessel's own points, which a definition replaces: its class file's
  // TouchdownPoints or the host's defaults, and where they come from.
  physics::ContactPoints own_points;
  std::string own_points_from;
  // The body under it, from its scenario's STATUS line (or the body a
  // command landed it on), with the gravity it is judged with there.
  vessel::VesselBody body;

  // The key whose file gave the points the vessel has now, or null when it
  // keeps its own.
  const KeyTried* Applied() const;
};

// The account of every vessel of a simulation, in the order of
// `session.vessels`, each with its body from `bodies`.
std::vector<VesselAccount> AccountVessels(const standin::SessionResult& session,
                                          vessel::BodyCatalog& bodies);

}  // namespace analysis

#endif  // VANTREL_ANALYSIS_VESSEL_ACCOUNT_H_
